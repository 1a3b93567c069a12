#include "lite/CHolvaneEditor.hpp"

#include "gui/controls/CKnob.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"
#include "lite/CHolvane.hpp"
#include "vst/AudioEffect.hpp"
#include "vst/CVstParam.hpp"

namespace Brivant
{
namespace Holvane
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;
using GUI::Controls::IControl;
using GUI::Graphics::IImage;

namespace
{
// The images the panel reads besides its background, in the order they are loaded.
enum EImage
{
    kKnobImage,
    kKnob2Image,
    kKnob3Image,
    kInfoImage,
    kNumberOfImages
};
const char* const kImageFiles[kNumberOfImages] = {"knob.png", "knob2.png", "knob3.png", "info.png"};

enum EKind
{
    kInfo,
    kKnob,
    kValue,
    kCaption
};

// One control of the panel: the order of the rows is the order in the control root, so it is also the drawing
// and hit-test order.
struct CPanelRow
{
    EKind kind;
    long id;
    long left;
    long top;
    EImage image;
    const char* caption;
    long width;
};

constexpr EImage kNoImage = kNumberOfImages;
constexpr long kWide = Vst::CEditorPanel::kLabelWidth;
// The Mix column is narrower, so that its label stays clear of the meter.
constexpr long kNarrow = 90;

const CPanelRow kPanelRows[] = {
    {kInfo, CHolvaneEditor::kInfoButtonId, 350, 0, kInfoImage, nullptr, 0},
    {kKnob, CHolvane::kMaster, 405, 65, kKnobImage, nullptr, 0},
    {kValue, CHolvane::kMaster, 398, 115, kNoImage, nullptr, kWide},
    {kCaption, -1, 405, 55, kNoImage, "Master", kWide},
    {kKnob, CHolvane::kThreshold, 30, 65, kKnob2Image, nullptr, 0},
    {kValue, CHolvane::kThreshold, 30, 115, kNoImage, nullptr, kWide},
    {kCaption, -1, 25, 55, kNoImage, "Threshold", kWide},
    {kKnob, CHolvane::kRatio, 105, 65, kKnob2Image, nullptr, 0},
    {kValue, CHolvane::kRatio, 105, 115, kNoImage, nullptr, kWide},
    {kCaption, -1, 115, 55, kNoImage, "Ratio", kWide},
    {kKnob, CHolvane::kAttack, 180, 65, kKnob3Image, nullptr, 0},
    {kValue, CHolvane::kAttack, 175, 115, kNoImage, nullptr, kWide},
    {kCaption, -1, 185, 55, kNoImage, "Attack", kWide},
    {kKnob, CHolvane::kRelease, 255, 65, kKnob3Image, nullptr, 0},
    {kValue, CHolvane::kRelease, 250, 115, kNoImage, nullptr, kWide},
    {kCaption, -1, 255, 55, kNoImage, "Release", kWide},
    {kKnob, CHolvane::kMix, 330, 65, kKnobImage, nullptr, 0},
    {kValue, CHolvane::kMix, 333, 115, kNoImage, nullptr, kNarrow},
    {kCaption, -1, 330, 55, kNoImage, "Dry/Wet", kNarrow},
};

const CRect kMeterArea(460, 55, 10, 75);
constexpr long kMeterSteps = 15;
// The about box is slightly see-through.
constexpr double kAboutAlpha = 0.8;
} // namespace

CHolvaneEditor::CHolvaneEditor(const CRect& area, AudioEffect* effect, GUI::Windowing::CWindowAttributes* attributes)
    : CVstWindow(effect, area, attributes), m_panel(getControlRoot()), m_knobs(),
      m_valueLabels()
{
    for (int index : {CHolvane::kThreshold, CHolvane::kRatio, CHolvane::kAttack, CHolvane::kRelease,
                      CHolvane::kMaster, CHolvane::kMix})
        m_parameters[index].setPointer(CHolvane::newSharedParameter(index));
    // The effect sends nothing after building its editor: the copies start at its values, like the knobs.
    for (long index = 0; index < kParameters; ++index)
        setCopy(index, hostValue(index));
    buildPanel();
}

CHolvaneEditor::~CHolvaneEditor() = default;

void CHolvaneEditor::buildPanel()
{
    m_panel.loadBackground("BackgroundLite.png");
    IImage* images[kNumberOfImages];
    for (int image = 0; image < kNumberOfImages; ++image)
        images[image] = m_panel.loadImage(kImageFiles[image]);

    m_panel.makeAboutWindow(kAboutAlpha);

    for (const CPanelRow& row : kPanelRows)
    {
        switch (row.kind)
        {
        case kInfo:
            m_panel.addInfoButton(row.id, row.left, row.top, images[row.image], this);
            break;
        case kKnob:
            m_knobs[row.id] = m_panel.addKnob(row.id, row.left, row.top, images[row.image], this);
            m_knobs[row.id]->setValue(hostValue(row.id));
            break;
        case kValue:
            m_valueLabels[row.id] = m_panel.addValueLabel(row.id, row.left, row.top, this, row.width);
            m_valueLabels[row.id]->setText(labelText(row.id, true));
            break;
        case kCaption:
            m_panel.addCaption(row.left, row.top, row.caption, row.width);
            break;
        }
    }
    m_panel.addMeter(kMeterArea, kMeterSteps, 0.0);
}

bool CHolvaneEditor::open(void* window)
{
    if (!CVstWindow::open(window))
        return false;
    m_panel.makeAboutWindow(kAboutAlpha);
    return true;
}

void CHolvaneEditor::idle()
{
    CVstWindow::idle();
    m_panel.showMeterValue();
}

void CHolvaneEditor::updateParameter(long index, double value)
{
    // The audio thread's meter value is only stored: idle shows it.
    if (index == kMeterIndex)
    {
        m_panel.storeMeterValue(value);
        return;
    }
    if (index < 0 || index >= kParameters || deferToEditorThread(index, value))
        return;
    setCopy(index, static_cast<float>(value));
    m_knobs[index]->setValue(value);
    m_knobs[index]->update();
    m_valueLabels[index]->setText(labelText(index, true));
}

void CHolvaneEditor::handleActionEvent(const GUI::Events::CActionEvent& event)
{
    IControl* control = event.getControl();
    if (control == nullptr)
        return;
    const long id = control->getControlId();
    if (id == kInfoButtonId)
    {
        m_panel.showAboutWindow();
        return;
    }
    // Only a knob speaks for its parameter: a label or a stranger with that id changes nothing.
    if (getEffect() == nullptr || id < 0 || id >= kParameters || control != m_knobs[id])
        return;
    const float value = static_cast<float>(control->getValue());
    {
        CUpdatingScope updating(*this, id);
        m_parameters[id].getPointer()->setValue(value);
        getEffect()->setParameterAutomated(id, value);
    }
    setCopy(id, value);
    m_valueLabels[id]->setText(labelText(id, false));
}

IControl* CHolvaneEditor::getParameterControl(long index) const
{
    return index >= 0 && index < kParameters ? m_knobs[index] : nullptr;
}

GUI::Controls::CTextLabel* CHolvaneEditor::getValueLabel(long index) const
{
    return index >= 0 && index < kParameters ? m_valueLabels[index] : nullptr;
}

float CHolvaneEditor::hostValue(long index)
{
    if (getEffect() != nullptr)
        return getEffect()->getParameter(static_cast<VstInt32>(index));
    const float held = m_parameters[index].getPointer()->getNormalisedValue();
    return index == CHolvane::kRatio ? 1.0f - held : held;
}

void CHolvaneEditor::setCopy(long index, float value)
{
    m_parameters[index].getPointer()->setValue(index == CHolvane::kRatio ? 1.0f - value : value);
}

CString CHolvaneEditor::labelText(long index, bool fromHost) const
{
    const float real = m_parameters[index].getPointer()->getRealValue();
    switch (index)
    {
    case CHolvane::kMaster:
    case CHolvane::kThreshold:
        return Vst::CEditorPanel::numberText(real, " dB");
    case CHolvane::kRatio:
        return Vst::CEditorPanel::numberText(1.0f / real, " :1");
    case CHolvane::kAttack:
    case CHolvane::kRelease:
        return Vst::CEditorPanel::numberText(real, " ms");
    default:
        return Vst::CEditorPanel::numberText(real, fromHost ? " " : "");
    }
}
} // namespace Holvane
} // namespace Brivant
