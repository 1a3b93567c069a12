// The control root of a menu window: it lays its menu out as rows of CMenuItemDisplay in columns, measured in its
// font, highlights the row under the pointer, opens sub-menus on hover and reports a click on a row that can be
// chosen to its window. Disabled items, separators and sub-menu headings are never chosen.
#pragma once

#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CMenuColours.hpp"
#include "gui/controls/CMenuWindow.hpp"
#include "gui/core/CControlRoot.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CMenuItemDisplay;
}

namespace Windowing
{
class CMenuWindow::CMenuRoot : public Controls::CControlRoot
{
public:
    // Starts with the default font, the menu window's starting colours and nothing highlighted.
    explicit CMenuRoot(CMenuWindow* window);
    ~CMenuRoot() override;

    // Counted. Lays the menu out and answers its size, new and the caller's to delete; null for a null menu,
    // which also removes the rows. Each column is as wide as the widest text with room for icons, ticks and
    // arrows; columns stand 4 pixels apart and the menu is as tall as its tallest column.
    virtual ::Brivant::MathTools::CDimension* setMenu(Controls::CMenu* menu);
    virtual Controls::CMenu* getMenu() const { return m_menu; }
    // The rectangle the frame is drawn round, in window coordinates.
    virtual void setMenuArea(const ::Brivant::MathTools::CRect& area);
    const ::Brivant::MathTools::CRect& getMenuArea() const { return m_menuArea; }
    // Counted; null measures and draws in the default font. The setters of the look lay the menu out again.
    virtual void setFont(Fonts::CFont* font);
    virtual Fonts::CFont* getFont() const { return m_font; }
    virtual void setMenuColours(const Controls::CMenuColours& colours);
    virtual const Controls::CMenuColours& getMenuColours() const { return m_colours; }
    // -1, or the index of an item whose row can be chosen; anything else is ignored.
    virtual void setCurrentSelection(long index);
    // Icons show only when some item has one.
    virtual void setUseIcons(bool useIcons);
    // The narrowest a column may be.
    virtual void setMenuWidth(long width);

    long getCurrentSelection() const { return m_currentSelection; }
    long getPressedSelection() const { return m_pressedSelection; }
    bool isUsingIcons() const { return m_useIcons; }
    long getMenuWidth() const { return m_menuWidth; }
    // The size of the last layout; (0, 0) without a menu.
    const ::Brivant::MathTools::CDimension& getMenuSize() const { return m_menuSize; }
    // The row of the item at that index, or null.
    Controls::CMenuItemDisplay* getRow(long index) const;

    // The row under the pointer is highlighted when its item is enabled and not a separator; a sub-menu item
    // opens its menu beside the row, any other row closes an open one.
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    // A release on the row that was highlighted at the press chooses it: a link opens first, a checkable item
    // turns over. The choice goes to the window as a selection.
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    // The highlight goes, unless it is on a sub-menu item whose menu the pointer may be on its way to.
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    // The frame, the highlighted row's fill, then the rows.
    void drawRootControl(Graphics::CGraphics& graphics) override;

private:
    // Rebuilds the rows from the menu and keeps the highlight where its row still can be chosen.
    void layOut();
    void select(long index);
    bool canBeChosen(long index) const;
    Controls::CMenuItemDisplay* rowAt(const ::Brivant::MathTools::CPoint& point) const;

    CMenuWindow* m_window;
    Controls::CMenu* m_menu;
    Fonts::CFont* m_font;
    long m_menuWidth;
    long m_currentSelection;
    long m_pressedSelection;
    Controls::CMenuColours m_colours;
    ::Brivant::MathTools::CRect m_menuArea;
    bool m_useIcons;
    ::Brivant::MathTools::CDimension m_menuSize;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
