// VolturaPro's editor: a 500 by 400 panel drawn from the skin's images, with eleven knobs, three latching buttons,
// two pop-up buttons with their menus, a value label and a caption for each parameter, the level meter and the
// information button that shows the about window. User changes go to the effect as automated parameter changes;
// the effect's changes move the controls and rewrite the labels. It keeps its own copies of the parameter objects
// only to write the value labels.
#pragma once

#include "editor/CEditorPanel.hpp"
#include "editor/CVstWindow.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"

#include <atomic>

class CVstParam;

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CLatchingButton;
class CLevelMeter;
class CMenu;
class CPopupButton;
class CTextLabel;
class IControl;
} // namespace Controls

namespace Windowing
{
class CAboutWindow;
}
} // namespace GUI

namespace Holvane
{
class CHolvaneEditor : public Vst::CVstWindow
{
    BRIVANT_CLASS_RECORD(CHolvaneEditor, "CVstWindow");

public:
    static constexpr long kParameters = 16;
    static constexpr long kMeterIndex = 17;
    static constexpr long kInfoButtonId = 18;
    // Menu item ids 0, 1 and 2 send these values; anything else sends the first.
    static constexpr float kChoiceValues[3] = {0.0f, 0.45f, 1.0f};

    // Builds every image and control; the native window waits for the host's open. Null attributes give the
    // defaults.
    CHolvaneEditor(const ::Brivant::MathTools::CRect& area, AudioEffect* effect,
                   GUI::Windowing::CWindowAttributes* attributes);
    ~CHolvaneEditor() override;

    // Also makes the about box and the menus when construction could not.
    bool open(void* window) override;
    // Shows the last block's peak in the meter, and what other threads left.
    void idle() override;
    // 0..15: the copy, the control and the value label; the meter index only stores the value. Other threads'
    // values wait for the editor's thread.
    void updateParameter(long index, double value) override;
    // A user change of a control bound to a parameter goes to the effect, automated; the information button
    // shows the about window.
    void handleActionEvent(const GUI::Events::CActionEvent& event) override;

    // The knob or button of a parameter, its value label, the meter and the about window.
    GUI::Controls::IControl* getParameterControl(long index) const;
    GUI::Controls::CTextLabel* getValueLabel(long index) const;
    GUI::Controls::CLevelMeter* getLevelMeter() const { return m_panel.getMeter(); }
    GUI::Windowing::CAboutWindow* getAboutWindow() const { return m_panel.getAboutWindow(); }

private:
    // The value label's text for the parameter copy. The Mix texts go by the value the effect sent when it comes
    // from the host, else by the copy's value.
    ::Brivant::Basics::CString labelText(long index, bool fromHost, double received) const;
    void buildPanel();
    void makeSecondaryWindows();
    void makeMenuWindow(GUI::Controls::CPopupButton& button);
    GUI::Controls::CPopupButton* addPopupButton(long id, long left, long top, const char* const* texts,
                                                const char* title);
    bool isPopupIndex(long index) const;
    float choiceValue(long index) const;

    Collections::TAutomaticPointer<CVstParam> m_parameters[kParameters];
    Vst::CEditorPanel m_panel;
    // Valve Modelling first, then Key Input.
    Collections::TAutomaticPointer<GUI::Controls::CMenu> m_menus[2];
    Collections::TAutomaticPointer<GUI::Controls::CPopupButton> m_popupButtons[2];
    // SideChain, Monitor, MakeUpGain.
    Collections::TAutomaticPointer<GUI::Controls::CLatchingButton> m_latchingButtons[3];
    GUI::Controls::IControl* m_controls[kParameters];
    GUI::Controls::CTextLabel* m_valueLabels[kParameters];
};
} // namespace Holvane
} // namespace Brivant
