// One row of a menu window: a panel that shows one menu item with its icon and its text in labels and, by the
// item's type, a tick or a sub-menu arrow. The menu window's root lays the rows out, highlights them and handles
// the mouse; a row only draws. Separators draw a line across the row and hold no parts.
#pragma once

#include "foundation/collections/TAutomaticPointer.hpp"
#include "gui/controls/CMenuColours.hpp"
#include "gui/core/CControlPanel.hpp"

namespace Brivant
{
namespace GUI
{
namespace Fonts
{
class CFont;
}

namespace Controls
{
class CImageLabel;
class CMenuItem;
class CTextLabel;

class CMenuItemDisplay : public CControlPanel
{
    BRIVANT_CLASS_RECORD(CMenuItemDisplay, "CControlPanel");

public:
    // The tick of a checkable item, drawn only while the item is checked.
    class CMenuItemSelectable : public CControl
    {
        BRIVANT_NAMED_CLASS_RECORD(CMenuItemSelectable, "CMenuItemDisplay::CMenuItemSelectable", "CControl");

    public:
        explicit CMenuItemSelectable(IControlRoot* root);
        // Not held: the row that shows the tick holds the item.
        void setMenuItem(CMenuItem* item) { m_item = item; }
        void drawControl(Graphics::CGraphics& graphics) override;

    private:
        CMenuItem* m_item;
    };

    // The arrow of a sub-menu item: a filled triangle pointing right.
    class CMenuItemSubMenuPointer : public CControl
    {
        BRIVANT_NAMED_CLASS_RECORD(CMenuItemSubMenuPointer, "CMenuItemDisplay::CMenuItemSubMenuPointer", "CControl");

    public:
        explicit CMenuItemSubMenuPointer(IControlRoot* root);
        void setArrowColour(const Basics::CAlphaColour& colour) { m_colour = colour; }
        const Basics::CAlphaColour& getArrowColour() const { return m_colour; }
        void drawControl(Graphics::CGraphics& graphics) override;

    private:
        Basics::CAlphaColour m_colour;
    };

    // The row of the item at index id in its menu. useIcons shows item icons in a left box iconWidth wide;
    // hasCheckable and hasSubMenus say what the whole menu holds, so that every row keeps the same columns.
    // Starts with the menu window's starting colours and the default font. A null item throws CException.
    CMenuItemDisplay(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area, CMenuItem* item,
                     bool useIcons, bool hasCheckable, bool hasSubMenus, long iconWidth);
    ~CMenuItemDisplay() override;

    // Places the parts for the item's type; null throws CException.
    virtual void setMenuItem(CMenuItem* item);
    CMenuItem* getMenuItem() const { return m_item.getPointer(); }
    // The colours of the text and the arrow, set on the parts again.
    void setMenuColours(const CMenuColours& colours);
    // The label's font, counted; null draws in the default font.
    void setFont(Fonts::CFont* font);
    // A highlighted row shows its item's second icon, when it has one.
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return m_highlighted; }

    CImageLabel* getIconLabel() const { return m_icon.getPointer(); }
    CTextLabel* getTextLabel() const { return m_label.getPointer(); }
    CMenuItemSelectable* getSelectable() const { return m_selectable.getPointer(); }
    CMenuItemSubMenuPointer* getSubMenuPointer() const { return m_subMenuPointer.getPointer(); }

    // Separators: a line across the middle in the row colour. Other rows: their parts.
    void drawControl(Graphics::CGraphics& graphics) override;

private:
    void placeParts();
    void applyColours();
    void showIcon();

    Collections::TAutomaticPointer<CMenuItem> m_item;
    CMenuColours m_colours;
    bool m_highlighted;
    bool m_useIcons;
    bool m_hasCheckable;
    bool m_hasSubMenus;
    long m_iconWidth;
    Collections::TAutomaticPointer<CImageLabel> m_icon;
    Collections::TAutomaticPointer<CTextLabel> m_label;
    Collections::TAutomaticPointer<CMenuItemSubMenuPointer> m_subMenuPointer;
    Collections::TAutomaticPointer<CMenuItemSelectable> m_selectable;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
