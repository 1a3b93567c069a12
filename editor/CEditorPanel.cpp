#include "editor/CEditorPanel.hpp"

#include "foundation/host/CApplication.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/controls/CKnob.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CMomentaryButton.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/CAboutWindow.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CPNGImage.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IControlRoot.hpp"

#include <cmath>
#include <memory>

namespace Brivant
{
namespace Vst
{
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::MathTools::CRect;
using GUI::Basics::CAlphaColour;
using GUI::Controls::CKnob;
using GUI::Controls::CLevelMeter;
using GUI::Controls::CMomentaryButton;
using GUI::Controls::CTextLabel;
using GUI::Graphics::IImage;

namespace
{
CSystemString resourcesFolder()
{
    const CSystemString* library = Host::CApplication::getApplicationPath();
    CSystemString folder(library != nullptr ? *library : CSystemString(""));
    folder.appendPath(CString("Resources"));
    return folder;
}
} // namespace

CEditorPanel::CEditorPanel(GUI::Controls::IControlRoot* root)
    : m_root(root), m_folder(resourcesFolder()), m_meterValue(0.0f)
{
}

CEditorPanel::~CEditorPanel() = default;

IImage* CEditorPanel::loadImage(const char* fileName)
{
    GUI::Graphics::CPNGImage* image = GUI::Graphics::CPNGImage::createFromFile(m_folder, CString(fileName));
    m_images.addElement(image);
    return image;
}

void CEditorPanel::loadBackground(const char* fileName)
{
    m_root->setBackgroundImage(GUI::Graphics::CPNGImage::createFromFile(m_folder, CString(fileName)));
}

CKnob* CEditorPanel::addKnob(long id, long left, long top, IImage* strip, GUI::Listeners::IActionListener* listener)
{
    const long frameHeight = strip->getImageSize().getHeight() / kKnobFrames;
    auto* knob = new CKnob(m_root, id, CRect(left, top, strip->getImageSize().getWidth(), frameHeight), nullptr);
    m_root->addControl(knob);
    m_knobs.addElement(knob);
    knob->registerActionListener(listener);
    knob->setAnimationImage(strip, frameHeight, kKnobFrames, false);
    return knob;
}

CTextLabel* CEditorPanel::addLabel(long id, long left, long top, long width)
{
    auto* label = new CTextLabel(m_root, id, CRect(left, top, width, kLabelHeight), CString(" "));
    m_root->addControl(label);
    m_labels.addElement(label);
    const CAlphaColour panel(55, 67, 69, 255);
    label->setColours(panel, panel, CAlphaColour(205, 200, 177, 255));
    return label;
}

CTextLabel* CEditorPanel::addValueLabel(long id, long left, long top, GUI::Listeners::IActionListener* listener,
                                        long width)
{
    CTextLabel* label = addLabel(id, left, top, width);
    label->registerActionListener(listener);
    return label;
}

CTextLabel* CEditorPanel::addCaption(long left, long top, const char* text, long width)
{
    CTextLabel* label = addLabel(-1, left, top, width);
    label->setText(CString(text));
    return label;
}

CMomentaryButton* CEditorPanel::addInfoButton(long id, long left, long top, IImage* image,
                                              GUI::Listeners::IActionListener* listener)
{
    const auto& size = image->getImageSize();
    auto* button = new CMomentaryButton(m_root, id, CRect(left, top, size.getWidth(), size.getHeight()), nullptr);
    m_root->addControl(button);
    m_infoButton.setPointer(button);
    button->registerActionListener(listener);
    button->setPrimaryImage(image);
    button->setDownImage(image);
    button->setLabelText(CString("info"));
    return button;
}

CLevelMeter* CEditorPanel::addMeter(const CRect& area, long steps, double value)
{
    auto* meter = new CLevelMeter(m_root, -1, area, steps);
    m_meter.setPointer(meter);
    meter->setColours(CAlphaColour::green(), CAlphaColour::red());
    meter->setValue(value);
    meter->update();
    m_root->addControl(meter);
    return meter;
}

void CEditorPanel::addToRoot(GUI::Controls::IControl* control)
{
    m_root->addControl(control);
}

void CEditorPanel::makeAboutWindow(double windowAlpha)
{
    const GUI::Windowing::CAboutWindow* existing = m_aboutWindow.getPointer();
    if (existing != nullptr && *existing->getWindowHandle() != nullptr)
        return;
    try
    {
        GUI::Windowing::CWindowAttributes attributes;
        attributes.setBackgroundColour(GUI::Basics::CColour(215, 219, 223));
        attributes.setAlpha(windowAlpha);
        m_aboutWindow.setPointer(new GUI::Windowing::CAboutWindow(m_folder, CString("splash.png"), 0.8));
        m_aboutWindow.getPointer()->intialiseWindow(&attributes, true);
    }
    catch (...)
    {
        // The editor works without its about window.
        Host::CTrace::trace("The about window could not be made");
    }
}

void CEditorPanel::showAboutWindow()
{
    if (m_aboutWindow.getPointer() != nullptr)
        m_aboutWindow.getPointer()->openWindow();
}

void CEditorPanel::showMeterValue()
{
    float expected = m_meterValue.load();
    const float value = std::isfinite(expected) ? expected : 0.0f;
    // ((|m| + 1) - |m - 1|) / 2 is m held to 0..1.
    const float held = ((std::fabs(value) + 1.0f) - std::fabs(value - 1.0f)) / 2.0f;
    m_meterValue.compare_exchange_strong(expected, held);
    CLevelMeter* meter = m_meter.getPointer();
    if (meter == nullptr)
        return;
    meter->setValue(held);
    meter->update();
}

CString CEditorPanel::numberText(float number, const char* suffix)
{
    const std::unique_ptr<char[]> digits(CString::floatToText(number));
    CString text(digits.get());
    text.appendString(suffix);
    return text;
}
} // namespace Vst
} // namespace Brivant
