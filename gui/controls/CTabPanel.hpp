// A panel that shows one of several content panels at a time, chosen by a row (or column) of tab buttons. The tab
// buttons are a radio button whose buttons carry the tab titles, placed on one side; the tab view fills the rest
// and holds the content panel shown. The application adds tabs as (panel, title) pairs; a layout holds neither the
// tabs nor the buttons and view, only the panel's properties and any other children.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/CRadioButton.hpp"
#include "gui/core/CControlPanel.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CTabPanel : public CControlPanel, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CTabPanel, "CControlPanel");

public:
    // One tab: its content panel, referenced, and its title.
    class CTabPanelTuple : public ::Brivant::Basics::CCountedObject
    {
        BRIVANT_NAMED_CLASS_RECORD(CTabPanelTuple, "CTabPanel::CTabPanelTuple", "CCountedObject");

    public:
        CTabPanelTuple(CControlPanel* panel, const ::Brivant::Basics::CString& title);
        ~CTabPanelTuple() override;

        CControlPanel* getPanel() const { return m_panel.getPointer(); }
        const ::Brivant::Basics::CString& getTitle() const { return m_title; }
        // The panel held already is kept, not released and taken again.
        void setTab(CControlPanel* panel, const ::Brivant::Basics::CString& title);

    private:
        Collections::TAutomaticPointer<CControlPanel> m_panel;
        ::Brivant::Basics::CString m_title;
    };

    enum ETabPosition : long
    {
        kTop = 0,
        kBottom = 1,
        kLeft = 2,
        kRight = 3
    };

    // The tab buttons along the top, 20 high, and the view below them; no tabs.
    CTabPanel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
              Listeners::IActionListener* listener);
    ~CTabPanel() override;

    // Places the buttons on that side, the tab dimension deep, and the view beside them; another value is stored
    // and moves nothing.
    virtual void setTabPosition(long position);
    // The height of a row of buttons, or the width of a column.
    virtual void setTabDimension(long dimension);

    // Appended with a button of its own, moved to the view's origin; the first tab is shown at once, later ones
    // leave the shown tab as it was. A null panel is ignored.
    void addTab(CControlPanel* panel, const ::Brivant::Basics::CString& title);
    // Every tab of that panel. The tab at the shown tab's place is shown next (the last one when the shown tab was
    // last); without tabs left, no buttons and an empty view.
    void removeTab(CControlPanel* panel);
    // The first tab of that title, as above.
    void removeTab(const ::Brivant::Basics::CString& title);
    void removeAllTabs();
    // Shows the tab and latches its button; an index outside the tabs changes nothing.
    void selectTab(long index);
    // The first tab of that title; nothing when there is none.
    void selectTab(const ::Brivant::Basics::CString& title);
    // Null without tabs.
    CControlPanel* getCurrentPanel() const { return m_currentPanel.getPointer(); }
    long getTabCount() const { return m_tabs.getInsertIndex(); }

    // The panel's, then the buttons and the view laid out again.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    // "Tab Dimension" and "Tab Position" after the base control's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    // The panel's reading, children of unknown classes skipped; the buttons and the view come back after the
    // children read, laid out, and the tabs stay as they were.
    bool readFromXmlNode(IO::CXMLNode* node) override;

    // A button picked shows its tab.
    void handleActionEvent(const Events::CActionEvent& event) override;

private:
    // One button per tab, titled, the tab at shown latched (or none without tabs).
    void rebuildButtons(long shown);
    // After tabs went: shows a remaining tab, near the place of the one shown before.
    void showAfterRemoval(long shown);

    Collections::TAutomaticPointer<CRadioButton> m_tabButtons;
    Collections::TAutomaticPointer<CControlPanel> m_tabView;
    Collections::TAutomaticPointer<CControlPanel> m_currentPanel;
    Collections::TCountedPointerArray<CTabPanelTuple> m_tabs;
    long m_tabPosition;
    long m_tabDimension;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
