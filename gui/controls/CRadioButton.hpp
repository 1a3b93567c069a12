// A group of mutually exclusive latching buttons: the group makes them as its children, lays them out in a column
// (when it is taller than wide) or a row, keeps exactly one of them on and tells its own action listener when the
// user picks one. Button i has id i and the group as its action listener.
#pragma once

#include "gui/core/CControlPanel.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CRadioButton : public CControlPanel, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CRadioButton, "CControlPanel");

public:
    // In the root's window, with the root as parent root; the first of the buttons is on.
    CRadioButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area, long buttonCount,
                 Listeners::IActionListener* listener);
    ~CRadioButton() override;

    // The index (and id) of the button that is on.
    virtual long getSelectedButton() const { return m_selected; }
    // Ignored outside the buttons; nobody is told.
    virtual void setSelectedButton(long index);
    virtual const Collections::TCountedPointerArray<IControl>& getButtonList() const { return getControlList(); }
    // New buttons in place of the old, laid out, the first on; a count below 1 is ignored.
    virtual void setButtonCount(long count);

    long getButtonCount() const { return m_count; }
    // Off at first: with it on the buttons are laid out again whenever the area changes.
    void setAutoArrange(bool autoArrange) { m_autoArrange = autoArrange; }
    bool isAutoArrange() const { return m_autoArrange; }

    // A group without children has no buttons left to count or select.
    void clearControls() override;
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    // "Button Count" and "Auto Arrange" after the base control's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    // The buttons a layout brings become the group's buttons: numbered by position, heard by the group, the
    // first on.
    bool readFromXmlNode(IO::CXMLNode* node) override;

    // From a button: it becomes the one on and the group's listener is told, even when it was on already. Controls
    // that are not the group's, or whose id names none of its buttons, change nothing and are not reported.
    void handleActionEvent(const Events::CActionEvent& event) override;

private:
    void arrangeButtons();

    long m_selected;
    long m_count;
    bool m_autoArrange;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
