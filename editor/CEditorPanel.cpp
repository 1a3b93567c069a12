#include "editor/CEditorPanel.hpp"

#include "foundation/basics/CHeldReference.hpp"
#include "foundation/host/CApplication.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/controls/CKnob.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CMomentaryButton.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/CAboutWindow.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CPNGImage.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IControlRoot.hpp"
#include "vst/AudioEffect.hpp"
#include "vst/CVstParam.hpp"

#include <cmath>
#include <cstring>

namespace Brivant
{
namespace Vst
{
using ::Brivant::Basics::CHeldReference;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::MathTools::CRect;
using GUI::Basics::CAlphaColour;
using GUI::Controls::CKnob;
using GUI::Controls::CLatchingButton;
using GUI::Controls::CLevelMeter;
using GUI::Controls::CMomentaryButton;
using GUI::Controls::CTextLabel;
using GUI::Controls::IControl;
using GUI::Graphics::IImage;
using Holvane::CParameterDescription;
using Holvane::CPanelPoint;
using Holvane::EControlKind;
using Holvane::ELabelRule;

namespace
{
// Latching and pop-up buttons show the down image when up, and the up image when down.
const char* const kButtonUpImage = "buttonUp.png";
const char* const kButtonDownImage = "buttonDown.png";

CSystemString resourcesFolder()
{
    const CSystemString* library = Host::CApplication::getApplicationPath();
    CSystemString folder(library != nullptr ? *library : CSystemString(""));
    folder.appendPath(CString("Resources"));
    return folder;
}
} // namespace

CEditorPanel::CEditorPanel(AudioEffect* effect, const CRect& area, GUI::Windowing::CWindowAttributes* attributes,
                           const CLayout& layout)
    : CVstWindow(effect, area, attributes), m_layout(layout), m_folder(resourcesFolder()),
      m_copies(new Collections::TAutomaticPointer<CVstParam>[static_cast<size_t>(layout.numberOfParameters)]),
      m_controls(new IControl*[static_cast<size_t>(layout.numberOfParameters)]()),
      m_valueLabels(new CTextLabel*[static_cast<size_t>(layout.numberOfParameters)]()), m_meterValue(0.0f)
{
    // In the order the effect builds its own: Threshold to Release, then Master, then the rest.
    const long count = m_layout.numberOfParameters;
    for (long index = 1; index < count && index <= 4; ++index)
        m_copies[index].setPointer(m_layout.newParameter(static_cast<int>(index)));
    m_copies[0].setPointer(m_layout.newParameter(0));
    for (long index = 5; index < count; ++index)
        m_copies[index].setPointer(m_layout.newParameter(static_cast<int>(index)));
}

CEditorPanel::~CEditorPanel() = default;

void CEditorPanel::buildPanel()
{
    getControlRoot()->setBackgroundImage(
        GUI::Graphics::CPNGImage::createFromFile(m_folder, CString(m_layout.background)));
    for (int listed = 0; listed < m_layout.numberOfImages; ++listed)
        image(m_layout.images[listed]);
    makeAboutWindow();

    if (m_layout.startsAtEffectsValues)
        for (long index = 0; index < m_layout.numberOfParameters; ++index)
            setCopy(index, hostValueOf(index));
    addInfoButton();
    // Rows go to the root by their panel order, which is also the drawing and hit-test order.
    for (long order = 0; order < m_layout.numberOfParameters; ++order)
        for (long index = 0; index < m_layout.numberOfParameters; ++index)
            if (m_layout.parameters[index].panel.order == order)
                addRow(m_layout.parameters[index]);
    addMeter();
}

IImage* CEditorPanel::image(const char* fileName)
{
    for (size_t loaded = 0; loaded < m_imageNames.size(); ++loaded)
        if (std::strcmp(m_imageNames[loaded], fileName) == 0)
            return m_images.getElementAt(static_cast<long>(loaded));
    // A strip the layout does not list is loaded at its first use. The name has its room before the image is made,
    // and the image is held until the list has taken it, so a failure leaves neither behind.
    m_imageNames.reserve(m_imageNames.size() + 1);
    auto* made = GUI::Graphics::CPNGImage::createFromFile(m_folder, CString(fileName));
    const CHeldReference held(made);
    m_images.addElement(made);
    m_imageNames.push_back(fileName);
    return m_images.getElementAt(static_cast<long>(m_imageNames.size() - 1));
}

void CEditorPanel::addRow(const CParameterDescription& row)
{
    addControl(row);
    if (row.panel.captionBeforeValue)
    {
        addCaption(row);
        addValueLabel(row);
    }
    else
    {
        addValueLabel(row);
        addCaption(row);
    }
}

void CEditorPanel::addControl(const CParameterDescription& row)
{
    const long index = row.index;
    const CPanelPoint& at = row.panel.controlAt;
    switch (row.panel.control)
    {
    case EControlKind::kKnob:
    {
        IImage* strip = image(row.panel.strip);
        const long frameHeight = strip->getImageSize().getHeight() / kKnobFrames;
        auto* knob = new CKnob(getControlRoot(), index, CRect(at.left, at.top, strip->getImageSize().getWidth(),
                                                              frameHeight), nullptr);
        const CHeldReference held(knob);
        getControlRoot()->addControl(knob);
        m_knobs.addElement(knob);
        knob->registerActionListener(this);
        knob->setAnimationImage(strip, frameHeight, kKnobFrames, false);
        if (m_layout.startsAtEffectsValues)
            knob->setValue(hostValueOf(index));
        m_controls[index] = knob;
        break;
    }
    case EControlKind::kLatch:
    {
        IImage* up = image(kButtonUpImage);
        IImage* down = image(kButtonDownImage);
        const auto& size = up->getImageSize();
        auto* button = new CLatchingButton(getControlRoot(), index,
                                           CRect(at.left, at.top, size.getWidth(), size.getHeight()), nullptr);
        const CHeldReference held(button);
        getControlRoot()->addControl(button);
        m_latchingButtons.addElement(button);
        button->registerActionListener(this);
        button->setPrimaryImage(down);
        button->setDownImage(up);
        m_controls[index] = button;
        break;
    }
    case EControlKind::kPopup:
    {
        IImage* up = image(kButtonUpImage);
        IImage* down = image(kButtonDownImage);
        const auto& size = up->getImageSize();
        m_controls[index] = addPopup(row, CRect(at.left, at.top, size.getWidth(), size.getHeight()), up, down);
        break;
    }
    }
}

CTextLabel* CEditorPanel::addLabel(long id, const CPanelPoint& at, long width)
{
    auto* label = new CTextLabel(getControlRoot(), id, CRect(at.left, at.top, width, kLabelHeight), CString(" "));
    // Held until the root has it: a failure to add it lets it go.
    const CHeldReference held(label);
    getControlRoot()->addControl(label);
    m_labels.addElement(label);
    const CAlphaColour panel(55, 67, 69, 255);
    label->setColours(panel, panel, CAlphaColour(205, 200, 177, 255));
    return label;
}

void CEditorPanel::addValueLabel(const CParameterDescription& row)
{
    CTextLabel* label = addLabel(row.index, row.panel.valueAt, row.panel.labelWidth);
    label->registerActionListener(this);
    m_valueLabels[row.index] = label;
    if (m_layout.startsAtEffectsValues)
        label->setText(labelText(row.index, true, hostValueOf(row.index)));
}

void CEditorPanel::addCaption(const CParameterDescription& row)
{
    addLabel(-1, row.panel.captionAt, row.panel.labelWidth)->setText(CString(row.panel.caption));
}

// The image's size, the image when up and down, and the caption "info" over it.
void CEditorPanel::addInfoButton()
{
    IImage* picture = image(m_layout.infoImage);
    const auto& size = picture->getImageSize();
    const CPanelPoint& at = m_layout.infoAt;
    auto* button = new CMomentaryButton(getControlRoot(), m_layout.meterIndex + 1,
                                        CRect(at.left, at.top, size.getWidth(), size.getHeight()), nullptr);
    const CHeldReference held(button);
    getControlRoot()->addControl(button);
    m_infoButton.setPointer(button);
    button->registerActionListener(this);
    button->setPrimaryImage(picture);
    button->setDownImage(picture);
    button->setLabelText(CString("info"));
}

// Green to red; drawn before it joins the root.
void CEditorPanel::addMeter()
{
    const CPanelPoint& at = m_layout.meterAt;
    auto* meter =
        new CLevelMeter(getControlRoot(), -1, CRect(at.left, at.top, m_layout.meterWidth, m_layout.meterHeight),
                        m_layout.meterSteps);
    m_meter.setPointer(meter);
    meter->setColours(CAlphaColour::green(), CAlphaColour::red());
    meter->setValue(m_layout.meterStart);
    meter->update();
    getControlRoot()->addControl(meter);
}

// Made when there is none with a native window yet, in the secondary windows' light grey; a failure of any kind
// leaves it missing until the next open.
void CEditorPanel::makeAboutWindow()
{
    const GUI::Windowing::CAboutWindow* existing = m_aboutWindow.getPointer();
    if (existing != nullptr && *existing->getWindowHandle() != nullptr)
        return;
    try
    {
        GUI::Windowing::CWindowAttributes attributes;
        attributes.setBackgroundColour(GUI::Basics::CColour(215, 219, 223));
        attributes.setAlpha(m_layout.secondaryAlpha);
        m_aboutWindow.setPointer(new GUI::Windowing::CAboutWindow(m_folder, CString("splash.png"), 0.8));
        m_aboutWindow.getPointer()->intialiseWindow(&attributes, true);
    }
    catch (...)
    {
        // The editor works without its about window.
        Host::CTrace::trace("The about window could not be made");
    }
}

IControl* CEditorPanel::addPopup(const CParameterDescription& /*row*/, const CRect& /*area*/, IImage* /*up*/,
                                 IImage* /*down*/)
{
    // An edition without pop-up menus has no pop-up rows.
    return nullptr;
}

float CEditorPanel::popupValue(long /*index*/) const
{
    return 0.0f;
}

void CEditorPanel::makeSecondaryWindows()
{
    makeAboutWindow();
}

bool CEditorPanel::open(void* window)
{
    if (!CVstWindow::open(window))
        return false;
    makeSecondaryWindows();
    return true;
}

void CEditorPanel::idle()
{
    CVstWindow::idle();
    showMeterValue();
}

void CEditorPanel::updateParameter(long index, double value)
{
    // The audio thread's meter value is only stored: idle shows it.
    if (index == m_layout.meterIndex)
    {
        storeMeterValue(value);
        return;
    }
    if (index < 0 || index >= m_layout.numberOfParameters || deferToEditorThread(index, value))
        return;
    setCopy(index, static_cast<float>(value));
    IControl* control = m_controls[index];
    // A pop-up button shows only whether its menu is open; the choice shows in its label.
    if (control != nullptr && m_layout.parameters[index].panel.control != EControlKind::kPopup)
    {
        control->setValue(value);
        control->update();
    }
    if (m_valueLabels[index] != nullptr)
        m_valueLabels[index]->setText(labelText(index, true, value));
}

void CEditorPanel::handleActionEvent(const GUI::Events::CActionEvent& event)
{
    IControl* control = event.getControl();
    if (control == nullptr)
        return;
    const long id = control->getControlId();
    if (id == m_layout.meterIndex + 1)
    {
        if (m_aboutWindow.getPointer() != nullptr)
            m_aboutWindow.getPointer()->openWindow();
        return;
    }
    // Only the control bound to a parameter speaks for it: a label or a stranger with that id changes nothing.
    if (getEffect() == nullptr || id < 0 || id >= m_layout.numberOfParameters || control != m_controls[id])
        return;
    const bool popup = m_layout.parameters[id].panel.control == EControlKind::kPopup;
    {
        CUpdatingScope updating(*this, id);
        const float value = popup ? popupValue(id) : static_cast<float>(control->getValue());
        setCopy(id, value);
        getEffect()->setParameterAutomated(id, value);
    }
    if (popup)
    {
        control->setValue(0.0);
        control->update();
    }
    if (m_valueLabels[id] != nullptr)
        m_valueLabels[id]->setText(labelText(id, false, 0.0));
}

IControl* CEditorPanel::getParameterControl(long index) const
{
    return index >= 0 && index < m_layout.numberOfParameters ? m_controls[index] : nullptr;
}

CTextLabel* CEditorPanel::getValueLabel(long index) const
{
    return index >= 0 && index < m_layout.numberOfParameters ? m_valueLabels[index] : nullptr;
}

float CEditorPanel::hostValueOf(long index)
{
    if (getEffect() != nullptr)
        return getEffect()->getParameter(static_cast<VstInt32>(index));
    return hostValue(m_layout.parameters[index], m_copies[index].getPointer()->getNormalisedValue());
}

void CEditorPanel::setCopy(long index, float fromHost)
{
    m_copies[index].getPointer()->setValue(heldValue(m_layout.parameters[index], fromHost));
}

CString CEditorPanel::labelText(long index, bool fromHost, double received) const
{
    const Holvane::CPanelPlace& place = m_layout.parameters[index].panel;
    const CVstParam* copy = m_copies[index].getPointer();
    const float real = copy->getRealValue();
    switch (place.labelRule)
    {
    case ELabelRule::kNumber:
        break;
    case ELabelRule::kReciprocal:
        return numberText(1.0f / real, place.labelSuffix);
    case ELabelRule::kWetDry:
    {
        // From the host the value received decides, from the user the copy's (equal to the normalised value).
        const double mix = fromHost ? received : static_cast<double>(real);
        if (mix == 1.0)
            return CString("Wet");
        if (mix == 0.0)
            return CString(" Dry");
        break;
    }
    case ELabelRule::kNumberSuffixFromHost:
        return numberText(real, fromHost ? place.labelSuffix : "");
    case ELabelRule::kOption:
    {
        char option[CVstParam::kDisplaySize];
        copy->getDisplayText(option);
        CString text(option);
        text.appendString(place.labelSuffix);
        return text;
    }
    }
    return numberText(real, place.labelSuffix);
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
