// VolturaLite's editor: a 500 by 158 panel drawn from the skin's images, with a knob, a value label and a caption
// for each of the six parameters, the level meter and the information button that shows the about window. User
// changes go to the effect as automated parameter changes; the effect's changes move the knobs and rewrite the
// labels. It keeps its own copies of the parameter objects only to write the value labels.
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
class CKnob;
class CLevelMeter;
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
    static constexpr long kParameters = 6;
    static constexpr long kMeterIndex = 7;
    static constexpr long kInfoButtonId = 8;

    // Builds every image and control, the knobs and labels at the effect's values; the native window waits for
    // the host's open. Null attributes give the defaults.
    CHolvaneEditor(const ::Brivant::MathTools::CRect& area, AudioEffect* effect,
                   GUI::Windowing::CWindowAttributes* attributes);
    ~CHolvaneEditor() override;

    // Also makes the about box when construction could not.
    bool open(void* window) override;
    // Shows the last block's peak in the meter, and what other threads left.
    void idle() override;
    // 0..5: the copy, the knob and the value label; the meter index only stores the value. Other threads' values
    // wait for the editor's thread.
    void updateParameter(long index, double value) override;
    // A knob's user change goes to the effect, automated; the information button shows the about window.
    void handleActionEvent(const GUI::Events::CActionEvent& event) override;

    // The knob of a parameter, its value label, the meter and the about window.
    GUI::Controls::IControl* getParameterControl(long index) const;
    GUI::Controls::CTextLabel* getValueLabel(long index) const;
    GUI::Controls::CLevelMeter* getLevelMeter() const { return m_panel.getMeter(); }
    GUI::Windowing::CAboutWindow* getAboutWindow() const { return m_panel.getAboutWindow(); }

private:
    // The host's value of a parameter: the effect's, or without one what the copy holds.
    float hostValue(long index);
    // The copy takes the host's value (Ratio's copy holds its complement).
    void setCopy(long index, float value);
    // Mix ends with a blank when the value came from the host, with nothing when it came from the knob.
    ::Brivant::Basics::CString labelText(long index, bool fromHost) const;
    void buildPanel();

    Collections::TAutomaticPointer<CVstParam> m_parameters[kParameters];
    Vst::CEditorPanel m_panel;
    GUI::Controls::CKnob* m_knobs[kParameters];
    GUI::Controls::CTextLabel* m_valueLabels[kParameters];
};
} // namespace Holvane
} // namespace Brivant
