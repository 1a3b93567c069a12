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

Vst::CEditorPanel::CLayout layout()
{
    Vst::CEditorPanel::CLayout layout = Vst::CEditorPanel::layoutOf<CHolvane>();
    layout.background = "BackgroundLite.png";
    layout.images = kImageFiles;
    layout.numberOfImages = static_cast<int>(std::size(kImageFiles));
    layout.infoImage = "info.png";
    layout.infoAt = {350, 0};
    layout.meterAt = {460, 55};
    layout.meterWidth = 10;
    layout.meterHeight = 75;
    layout.meterSteps = 15;
    layout.meterStart = 0.0;
    layout.secondaryAlpha = kAboutAlpha;
    // The effect sends nothing after building its editor.
    layout.startsAtEffectsValues = true;
    return layout;
}
} // namespace

CHolvaneEditor::CHolvaneEditor(const MathTools::CRect& area, AudioEffect* effect,
                               GUI::Windowing::CWindowAttributes* attributes)
    : CEditorPanel(effect, area, attributes, layout())
{
    buildPanel();
}

CHolvaneEditor::~CHolvaneEditor() = default;
} // namespace Holvane
} // namespace Brivant
