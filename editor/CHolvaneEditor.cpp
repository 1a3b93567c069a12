#include "editor/CHolvaneEditor.hpp"

#include "foundation/basics/CHeldReference.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CPopupButton.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IControlRoot.hpp"

#include <iterator>

namespace Brivant
{
namespace Holvane
{
using ::Brivant::Basics::CHeldReference;
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;
using GUI::Controls::CMenu;
using GUI::Controls::CMenuItem;
using GUI::Controls::CPopupButton;
using GUI::Graphics::IImage;

namespace
{
// The images the panel reads besides its background, in the order they are loaded.
const char* const kImageFiles[] = {"infopro.png", "knob.png",     "knob1.png",     "knob2.png",
                                   "knob3.png",   "buttonUp.png", "buttonDown.png"};

// The secondary windows (about box, menus) are slightly see-through.
constexpr double kSecondaryAlpha = 0.87;

Vst::CEditorPanel::CLayout layout()
{
    Vst::CEditorPanel::CLayout layout = Vst::CEditorPanel::layoutOf<CHolvane>();
    layout.background = "Background.png";
    layout.images = kImageFiles;
    layout.numberOfImages = static_cast<int>(std::size(kImageFiles));
    layout.infoImage = "infopro.png";
    layout.infoAt = {350, 0};
    layout.meterAt = {456, 300};
    layout.meterWidth = 20;
    layout.meterHeight = 75;
    layout.meterSteps = 15;
    layout.meterStart = 1.0;
    layout.secondaryAlpha = kSecondaryAlpha;
    // Applying program 0 sends every value.
    layout.startsAtEffectsValues = false;
    return layout;
}

// Menu item ids 0, 1 and 2 send these values; anything else sends the first.
constexpr float kChoiceValues[3] = {0.0f, 0.45f, 1.0f};

// A pop-up parameter's menu: its three choices, each with one leading blank, and its title, if any.
struct CPopupMenu
{
    int index;
    const char* choices[3];
    const char* title;
};

const CPopupMenu kPopupMenus[] = {
    {CHolvane::kValveModelling, {" Valve Bypass", " Valve Soft", " Valve Dirty"}, "Valve Modelling"},
    {CHolvane::kKeyInput, {" Left Input", " Stereo Input", " Right Input"}, nullptr},
};

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
    : CEditorPanel(effect, area, attributes, layout()), m_numberOfPopups(0)
{
    buildPanel();
}

CHolvaneEditor::~CHolvaneEditor() = default;

GUI::Controls::IControl* CHolvaneEditor::addPopup(const CParameterDescription& row, const CRect& area, IImage* up,
                                                  IImage* down)
{
    const CPopupMenu* choices = nullptr;
    for (const CPopupMenu& menu : kPopupMenus)
        if (menu.index == row.index)
            choices = &menu;
    if (choices == nullptr || m_numberOfPopups >= static_cast<int>(std::size(m_popupButtons)))
        return nullptr;
    CMenu* menu = new CMenu();
    m_menus[m_numberOfPopups].setPointer(menu);
    // Each new item and the button are held until their list has them: a failure to add one lets it go.
    for (long item = 0; item < 3; ++item)
    {
        auto* choice = new CMenuItem(CString(choices->choices[item]), item, 0, true);
        const CHeldReference held(choice);
        menu->addMenuItem(choice);
    }
    if (choices->title != nullptr)
        menu->setMenuTitle(CString(choices->title));
    auto* button = new CPopupButton(getControlRoot(), row.index, area, menu, this, nullptr);
    const CHeldReference held(button);
    getControlRoot()->addControl(button);
    m_popupButtons[m_numberOfPopups++].setPointer(button);
    button->setPrimaryImage(down);
    button->setDownImage(up);
    button->setDefaultDrawing(false);
    makeMenuWindow(*button);
    return button;
}

float CHolvaneEditor::popupValue(long index) const
{
    const auto* button = static_cast<const CPopupButton*>(getParameterControl(index));
    const GUI::Events::CMenuEvent* choice = button->getMenuEvent();
    const long item = choice != nullptr ? choice->getMenuItemId() : -1;
    return item >= 0 && item < 3 ? kChoiceValues[item] : kChoiceValues[0];
}

void CHolvaneEditor::makeSecondaryWindows()
{
    CEditorPanel::makeSecondaryWindows();
    for (int popup = 0; popup < m_numberOfPopups; ++popup)
        makeMenuWindow(*m_popupButtons[popup].getPointer());
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
} // namespace Holvane
} // namespace Brivant
