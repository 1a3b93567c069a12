#include "lite/CHolvaneEditor.hpp"

#include <iterator>

namespace Brivant
{
namespace Holvane
{
namespace
{
// The images the panel reads besides its background, in the order they are loaded.
const char* const kImageFiles[] = {"knob.png", "knob2.png", "knob3.png", "info.png"};

// The about box is slightly see-through.
constexpr double kAboutAlpha = 0.8;

constexpr Vst::CEditorPanel::CLayout kLayout = {CHolvane::kParameterTable,
                                                CHolvane::kNumberOfParameters,
                                                &CHolvane::newParameter,
                                                CHolvane::kMeterIndex,
                                                "BackgroundLite.png",
                                                kImageFiles,
                                                static_cast<int>(std::size(kImageFiles)),
                                                "info.png",
                                                {350, 0},
                                                // The meter: where, its size and steps, empty until the first idle.
                                                {460, 55},
                                                10,
                                                75,
                                                15,
                                                0.0,
                                                kAboutAlpha,
                                                // The effect sends nothing after building its editor.
                                                true};
} // namespace

CHolvaneEditor::CHolvaneEditor(const MathTools::CRect& area, AudioEffect* effect,
                               GUI::Windowing::CWindowAttributes* attributes)
    : CEditorPanel(effect, area, attributes, kLayout)
{
    buildPanel();
}

CHolvaneEditor::~CHolvaneEditor() = default;
} // namespace Holvane
} // namespace Brivant
