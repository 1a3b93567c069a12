// VolturaLite's editor: a 500 by 158 panel drawn from the skin's images, with a knob, a value label and a caption
// for each of the six parameters, the level meter and the information button that shows the about window. The
// panel comes from the parameter table; the effect sends nothing after building it, so it starts at the effect's
// values.
#pragma once

#include "editor/CEditorPanel.hpp"
#include "lite/CHolvane.hpp"

namespace Brivant
{
namespace Holvane
{
class CHolvaneEditor : public Vst::CEditorPanel
{
    BRIVANT_CLASS_RECORD(CHolvaneEditor, "CVstWindow");

public:
    // Builds every image and control, the knobs and labels at the effect's values; the native window waits for
    // the host's open. Null attributes give the defaults.
    CHolvaneEditor(const ::Brivant::MathTools::CRect& area, AudioEffect* effect,
                   GUI::Windowing::CWindowAttributes* attributes);
    ~CHolvaneEditor() override;
};
} // namespace Holvane
} // namespace Brivant
