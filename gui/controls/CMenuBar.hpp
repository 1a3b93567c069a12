// A horizontal row of menu titles, each with its own menu window: a press on a title opens its menu below it,
// and while a menu is open, moving onto another title switches to that title's menu. The windows' notices are
// passed on to the bar's own menu listener.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/CMenuColours.hpp"
#include "gui/core/CColour.hpp"
#include "gui/core/CControl.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IMenuListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Fonts
{
class CFont;
}
namespace Windowing
{
class CMenuWindow;
}

namespace Controls
{
class CMenu;

class CMenuBar : public CControl, public Listeners::IMenuListener
{
    BRIVANT_CLASS_RECORD(CMenuBar, "CControl");

public:
    // The listener is not owned and may be null.
    CMenuBar(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
             Listeners::IMenuListener* listener);
    // Closes every menu window without a word to anyone, then lets them go.
    ~CMenuBar() override;

    // Appends a title as wide as its text in the bar's font plus 20, with a new hidden menu window on the menu.
    void addMenu(const ::Brivant::Basics::CString& title, CMenu* menu);

    // Counted; every menu window takes it too.
    virtual void setFont(Fonts::CFont* font);
    // The bar's look and every menu window's; windows made later get the alpha 0.8.
    virtual void setMenuColours(const CMenuColours& colours, const Basics::CColour& windowColour, double alpha);

    long getNumberOfTitles() const { return m_titles.getInsertIndex(); }
    // Null outside the titles.
    const ::Brivant::MathTools::CRect* getTitleArea(long index) const { return m_titleAreas.getElementAt(index); }
    Windowing::CMenuWindow* getMenuWindow(long index) const { return m_menuWindows.getElementAt(index); }
    Windowing::CMenuWindow* getOpenWindow() const { return m_openWindow.getPointer(); }
    long getCurrentTitle() const { return m_currentTitle; }
    long getTotalWidth() const { return m_totalWidth; }
    bool isActive() const { return m_active; }
    Fonts::CFont* getFont() const { return m_font; }
    const CMenuColours& getMenuColours() const { return m_colours; }
    const Windowing::CWindowAttributes& getWindowAttributes() const { return m_windowAttributes; }

    // Makes the bar active and opens the title under the pointer, if any.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    // While active, another title under the pointer opens in place of the open one.
    void handleMouseMovement(Events::CMouseEvent& event) override;

    void handleMenuOpening(const Events::CMenuEvent& event) override;
    // The bar goes inactive and forgets the window, so that the same title opens again on the next press.
    void handleMenuClosing(const Events::CMenuEvent& event) override;
    // The window redrawn, the choice passed on, the menu closed and the bar inactive.
    void handleMenuSelection(const Events::CMenuEvent& event) override;

    void drawControl(Graphics::CGraphics& graphics) override;

private:
    void layOutTitles();
    // The first title whose area holds the point, edges included; -1 for none.
    long titleAt(const ::Brivant::MathTools::CPoint& point) const;
    void openTitle(long index);
    void becomeInactive();

    bool m_active;
    long m_currentTitle;
    Fonts::CFont* m_font;
    CMenuColours m_colours;
    Basics::CColour m_windowColour;
    Windowing::CWindowAttributes m_windowAttributes;
    Collections::TCountedPointerArray<Windowing::CMenuWindow> m_menuWindows;
    Collections::TCountedPointerArray<::Brivant::Basics::CString> m_titles;
    Collections::TCountedPointerArray<::Brivant::MathTools::CRect> m_titleAreas;
    Collections::TAutomaticPointer<Windowing::CMenuWindow> m_openWindow;
    Listeners::IMenuListener* m_listener;
    long m_totalWidth;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
