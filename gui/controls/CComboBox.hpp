// A drop-down selector: a text label showing the chosen item's text with an arrow box at its right end. A press
// opens the menu in a menu window below the control; a choice shows the item's text, remembers the item and its
// place in its menu, and is reported to the action listener.
#pragma once

#include "gui/controls/CTextLabel.hpp"
#include "gui/core/IMenuListener.hpp"

#include <memory>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class IImage;
}
namespace Windowing
{
class CMenuWindow;
class CWindowAttributes;
} // namespace Windowing

namespace Controls
{
class CMenu;
class CMenuItem;
struct CMenuColours;

class CComboBox : public CTextLabel, public Listeners::IMenuListener
{
    BRIVANT_CLASS_RECORD(CComboBox, "CTextLabel");

public:
    // Holds a reference on the menu; a null menu throws CException and no combo box is made. Neither listener
    // is owned.
    CComboBox(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
              const ::Brivant::Basics::CString& text, CMenu* menu, Listeners::IActionListener* listener,
              Listeners::IMenuListener* menuListener);
    // Closes and lets go of the menu window, then releases the menu, the down image and the chosen item.
    ~CComboBox() override;

    // Counted; an existing menu window shows the new menu. Null is ignored.
    virtual void setMenu(CMenu* menu);
    // Shows the item at index without a report; an index without an item changes nothing.
    virtual void setSelectedIndex(long index);
    // Null without an item there.
    virtual CMenuItem* getMenuItem(long index) const;
    virtual Windowing::CMenuWindow* getMenuWindow() const { return m_menuWindow; }
    virtual long getSelectedIndex() const { return m_selectedIndex; }
    // Passed to the menu window when there is one.
    virtual void setMenuColours(const CMenuColours& colours);
    // Counted; drawn over the whole control while the menu is open.
    virtual void setDownImage(Graphics::IImage* image);
    // Makes the menu window, hidden, with a copy of the attributes (null: the defaults), in place of an earlier
    // one. Until then a press does nothing.
    virtual void setMenuWindowAttributes(Windowing::CWindowAttributes* attributes, bool useIcons);
    // Not owned; hears every notice of the menu window through its selection handler.
    virtual void setMenuListener(Listeners::IMenuListener* listener) { m_menuListener = listener; }

    CMenu* getMenu() const { return m_menu; }
    CMenuItem* getSelectedItem() const { return m_selectedItem; }
    Graphics::IImage* getDownImage() const { return m_downImage; }
    bool isDown() const { return m_down; }
    bool isUsingIcons() const { return m_useIcons; }

    // The label's font and the menu window's.
    void setFont(Fonts::CFont* font) override;

    // "Use Icons" and "Down Image" after the label's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void drawControl(Graphics::CGraphics& graphics) override;
    // Opens the menu just below the control.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;

    void handleMenuOpening(const Events::CMenuEvent& event) override;
    // Up again, the highlight cleared.
    void handleMenuClosing(const Events::CMenuEvent& event) override;
    // The item's text shown and the item kept with its place in its menu, the menu closed, then the action
    // listener told.
    void handleMenuSelection(const Events::CMenuEvent& event) override;

private:
    void releaseMenuWindow();
    void drawArrow(Graphics::CGraphics& graphics, const Basics::CAlphaColour& colour);

    CMenu* m_menu;
    Windowing::CMenuWindow* m_menuWindow;
    std::unique_ptr<Windowing::CWindowAttributes> m_windowAttributes;
    bool m_useIcons;
    long m_selectedIndex;
    bool m_down;
    Graphics::IImage* m_downImage;
    CMenuItem* m_selectedItem;
    Listeners::IMenuListener* m_menuListener;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
