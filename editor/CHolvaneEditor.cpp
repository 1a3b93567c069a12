#include "editor/CHolvaneEditor.hpp"

#include "compressor/CHolvane.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/controls/CKnob.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CPopupButton.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"
#include "vst/AudioEffect.hpp"
#include "vst/CVstParam.hpp"

namespace Brivant
{
namespace Holvane
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;
using GUI::Controls::CLatchingButton;
using GUI::Controls::CMenu;
using GUI::Controls::CMenuItem;
using GUI::Controls::CPopupButton;
using GUI::Controls::IControl;
using GUI::Graphics::IImage;

namespace
{
// The images the panel reads besides its background, in the order they are loaded.
enum EImage
{
    kInfoImage,
    kKnobImage,
    kKnob1Image,
    kKnob2Image,
    kKnob3Image,
    kButtonUpImage,
    kButtonDownImage,
    kNumberOfImages
};
const char* const kImageFiles[kNumberOfImages] = {"infopro.png", "knob.png",     "knob1.png",     "knob2.png",
                                                  "knob3.png",   "buttonUp.png", "buttonDown.png"};

enum EKind
{
    kInfo,
    kKnob,
    kLatch,
    kPopup,
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
    // The knob's strip, or the caption's text.
    EImage strip;
    const char* caption;
};

constexpr EImage kNoImage = kNumberOfImages;

const CPanelRow kPanelRows[] = {
    {kInfo, CHolvaneEditor::kInfoButtonId, 350, 0, kInfoImage, nullptr},
    {kKnob, 0, 400, 310, kKnobImage, nullptr},
    {kValue, 0, 396, 360, kNoImage, nullptr},
    {kCaption, -1, 400, 300, kNoImage, "Master"},
    {kKnob, 5, 330, 310, kKnobImage, nullptr},
    {kValue, 5, 340, 360, kNoImage, nullptr},
    {kCaption, -1, 340, 300, kNoImage, "Mix"},
    {kKnob, 1, 100, 65, kKnob2Image, nullptr},
    {kValue, 1, 95, 115, kNoImage, nullptr},
    {kCaption, -1, 90, 55, kNoImage, "Threshold"},
    {kKnob, 2, 175, 65, kKnob2Image, nullptr},
    {kValue, 2, 170, 115, kNoImage, nullptr},
    {kCaption, -1, 180, 55, kNoImage, "Ratio"},
    {kKnob, 3, 250, 65, kKnob2Image, nullptr},
    {kValue, 3, 240, 115, kNoImage, nullptr},
    {kCaption, -1, 250, 55, kNoImage, "Attack"},
    {kKnob, 4, 325, 65, kKnob2Image, nullptr},
    {kValue, 4, 315, 115, kNoImage, nullptr},
    {kCaption, -1, 320, 55, kNoImage, "Release"},
    {kKnob, 13, 400, 65, kKnob2Image, nullptr},
    {kValue, 13, 400, 115, kNoImage, nullptr},
    {kCaption, -1, 405, 55, kNoImage, "Knee"},
    {kKnob, 6, 100, 190, kKnob3Image, nullptr},
    {kValue, 6, 95, 240, kNoImage, nullptr},
    {kCaption, -1, 95, 180, kNoImage, "Low Gain"},
    {kKnob, 7, 175, 190, kKnob3Image, nullptr},
    {kValue, 7, 170, 240, kNoImage, nullptr},
    {kCaption, -1, 175, 180, kNoImage, "Mid Gain"},
    {kKnob, 8, 250, 190, kKnob3Image, nullptr},
    {kValue, 8, 245, 240, kNoImage, nullptr},
    {kCaption, -1, 245, 180, kNoImage, "High Gain"},
    {kKnob, 15, 325, 190, kKnob1Image, nullptr},
    {kValue, 15, 330, 240, kNoImage, nullptr},
    {kCaption, -1, 320, 180, kNoImage, "Mid/Side"},
    {kLatch, 10, 400, 200, kNoImage, nullptr},
    {kValue, 10, 395, 240, kNoImage, nullptr},
    {kCaption, -1, 395, 180, kNoImage, "Monitor"},
    {kLatch, 11, 282, 318, kNoImage, nullptr},
    {kValue, 11, 285, 360, kNoImage, nullptr},
    {kCaption, -1, 275, 300, kNoImage, "Makeup"},
    {kPopup, 14, 217, 318, kNoImage, nullptr},
    {kCaption, -1, 215, 300, kNoImage, "Valve"},
    {kValue, 14, 210, 360, kNoImage, nullptr},
    {kPopup, 12, 92, 318, kNoImage, nullptr},
    {kCaption, -1, 80, 300, kNoImage, "SC Input"},
    {kValue, 12, 85, 360, kNoImage, nullptr},
    {kLatch, 9, 152, 318, kNoImage, nullptr},
    {kValue, 9, 145, 360, kNoImage, nullptr},
    {kCaption, -1, 140, 300, kNoImage, "SideChain"},
};

const CRect kMeterArea(456, 300, 20, 75);
constexpr long kMeterSteps = 15;

const char* const kValveChoices[] = {" Valve Bypass", " Valve Soft", " Valve Dirty"};
const char* const kKeyInputChoices[] = {" Left Input", " Stereo Input", " Right Input"};

// The secondary windows (about box, menus) are slightly see-through.
constexpr double kSecondaryAlpha = 0.87;

// The menus' windows in the panel's light grey.
GUI::Windowing::CWindowAttributes menuAttributes()
{
    GUI::Windowing::CWindowAttributes attributes;
    attributes.setBackgroundColour(GUI::Basics::CColour(215, 219, 223));
    attributes.setAlpha(kSecondaryAlpha);
    return attributes;
}
} // namespace

CHolvaneEditor::CHolvaneEditor(const CRect& area, AudioEffect* effect, GUI::Windowing::CWindowAttributes* attributes)
    : CVstWindow(effect, area, attributes), m_panel(getControlRoot()), m_controls(),
      m_valueLabels()
{
    for (long index = 0; index < kParameters; ++index)
        m_parameters[index].setPointer(CHolvane::newParameter(static_cast<int>(index)));
    buildPanel();
}

CHolvaneEditor::~CHolvaneEditor() = default;

void CHolvaneEditor::buildPanel()
{
    m_panel.loadBackground("Background.png");
    IImage* images[kNumberOfImages];
    for (int image = 0; image < kNumberOfImages; ++image)
        images[image] = m_panel.loadImage(kImageFiles[image]);
    m_panel.makeAboutWindow(kSecondaryAlpha);

    const auto& buttonSize = images[kButtonUpImage]->getImageSize();
    for (const CPanelRow& row : kPanelRows)
    {
        const CRect buttonArea(row.left, row.top, buttonSize.getWidth(), buttonSize.getHeight());
        switch (row.kind)
        {
        case kInfo:
            m_panel.addInfoButton(row.id, row.left, row.top, images[row.strip], this);
            break;
        case kKnob:
            m_controls[row.id] = m_panel.addKnob(row.id, row.left, row.top, images[row.strip], this);
            break;
        case kLatch:
        {
            auto* button = new CLatchingButton(getControlRoot(), row.id, buttonArea, nullptr);
            m_panel.addToRoot(button);
            m_latchingButtons[row.id - CHolvane::kSideChain].setPointer(button);
            button->registerActionListener(this);
            button->setPrimaryImage(images[kButtonDownImage]);
            button->setDownImage(images[kButtonUpImage]);
            m_controls[row.id] = button;
            break;
        }
        case kPopup:
        {
            const bool valve = row.id == CHolvane::kValveModelling;
            CMenu* menu = new CMenu();
            m_menus[valve ? 0 : 1].setPointer(menu);
            for (long item = 0; item < 3; ++item)
                menu->addMenuItem(new CMenuItem(CString(valve ? kValveChoices[item] : kKeyInputChoices[item]), item,
                                                0, true));
            if (valve)
                menu->setMenuTitle(CString("Valve Modelling"));
            auto* button = new CPopupButton(getControlRoot(), row.id, buttonArea, menu, this, nullptr);
            m_panel.addToRoot(button);
            m_popupButtons[valve ? 0 : 1].setPointer(button);
            button->setPrimaryImage(images[kButtonDownImage]);
            button->setDownImage(images[kButtonUpImage]);
            button->setDefaultDrawing(false);
            makeMenuWindow(*button);
            m_controls[row.id] = button;
            break;
        }
        case kValue:
            m_valueLabels[row.id] = m_panel.addValueLabel(row.id, row.left, row.top, this);
            break;
        case kCaption:
            m_panel.addCaption(row.left, row.top, row.caption);
            break;
        }
    }
    // Full until the first idle shows the effect's peak.
    m_panel.addMeter(kMeterArea, kMeterSteps, 1.0);
}

// The about box and the menus are windows of their own, made at construction. A host may build the effect where
// no window can be made (a render server without a display): the effect still loads, and each open tries again for
// what is missing.
void CHolvaneEditor::makeSecondaryWindows()
{
    m_panel.makeAboutWindow(kSecondaryAlpha);
    for (long index : {CHolvane::kValveModelling, CHolvane::kKeyInput})
        makeMenuWindow(*static_cast<CPopupButton*>(m_controls[index]));
}

// A failure of any kind leaves the button without its menu until the next open: the panel works without it.
void CHolvaneEditor::makeMenuWindow(CPopupButton& button)
{
    if (button.getMenuWindow() != nullptr)
        return;
    try
    {
        GUI::Windowing::CWindowAttributes attributes = menuAttributes();
        button.openMenu(&attributes, false);
    }
    catch (...)
    {
        Host::CTrace::trace("CHolvaneEditor: no menu window");
    }
}

bool CHolvaneEditor::open(void* window)
{
    if (!CVstWindow::open(window))
        return false;
    makeSecondaryWindows();
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
    const float received = static_cast<float>(value);
    m_parameters[index].getPointer()->setValue(index == CHolvane::kRatio ? 1.0f - received : received);
    // A pop-up button shows only whether its menu is open; the choice shows in its label.
    if (!isPopupIndex(index))
    {
        m_controls[index]->setValue(value);
        m_controls[index]->update();
    }
    m_valueLabels[index]->setText(labelText(index, true, value));
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
    // Only the control bound to a parameter speaks for it: a label or a stranger with that id changes nothing.
    if (getEffect() == nullptr || id < 0 || id >= kParameters || control != m_controls[id])
        return;
    CVstParam* copy = m_parameters[id].getPointer();
    {
        CUpdatingScope updating(*this, id);
        const float value = isPopupIndex(id) ? choiceValue(id) : static_cast<float>(control->getValue());
        copy->setValue(value);
        getEffect()->setParameterAutomated(id, value);
    }
    if (isPopupIndex(id))
    {
        control->setValue(0.0);
        control->update();
    }
    if (id == CHolvane::kRatio)
        copy->setValue(1.0f - static_cast<float>(control->getValue()));
    m_valueLabels[id]->setText(labelText(id, false, 0.0));
}

IControl* CHolvaneEditor::getParameterControl(long index) const
{
    return index >= 0 && index < kParameters ? m_controls[index] : nullptr;
}

GUI::Controls::CTextLabel* CHolvaneEditor::getValueLabel(long index) const
{
    return index >= 0 && index < kParameters ? m_valueLabels[index] : nullptr;
}

CString CHolvaneEditor::labelText(long index, bool fromHost, double received) const
{
    const CVstParam* copy = m_parameters[index].getPointer();
    const float real = copy->getRealValue();
    char option[CVstParam::kDisplaySize];
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
    case CHolvane::kMix:
    {
        // From the host the value received decides, from the user the copy's (equal to the normalised value).
        const double mix = fromHost ? received : static_cast<double>(real);
        if (mix == 1.0)
            return CString("Wet");
        if (mix == 0.0)
            return CString(" Dry");
        return Vst::CEditorPanel::numberText(real, " ");
    }
    case CHolvane::kEqLow:
    case CHolvane::kEqMid:
    case CHolvane::kEqHigh:
        return Vst::CEditorPanel::numberText(real, " db");
    case CHolvane::kSoftKnee:
        return Vst::CEditorPanel::numberText(real, " %");
    case CHolvane::kMidSide:
        return Vst::CEditorPanel::numberText(real, " ");
    case CHolvane::kMonitor:
    case CHolvane::kMakeUpGain:
    {
        copy->getDisplayText(option);
        CString text(option);
        text.appendString(" ");
        return text;
    }
    default:
        copy->getDisplayText(option);
        return CString(option);
    }
}

bool CHolvaneEditor::isPopupIndex(long index) const
{
    return index == CHolvane::kKeyInput || index == CHolvane::kValveModelling;
}

// A button without a last choice, or a choice without an item, sends the first choice's value.
float CHolvaneEditor::choiceValue(long index) const
{
    const auto* button = static_cast<const CPopupButton*>(m_controls[index]);
    const GUI::Events::CMenuEvent* choice = button->getMenuEvent();
    const long item = choice != nullptr ? choice->getMenuItemId() : -1;
    return item >= 0 && item < 3 ? kChoiceValues[item] : kChoiceValues[0];
}
} // namespace Holvane
} // namespace Brivant
