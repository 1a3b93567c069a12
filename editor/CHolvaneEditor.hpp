// VolturaPro's editor: a 500 by 400 panel drawn from the skin's images, with eleven knobs, three latching buttons,
// two pop-up buttons with their menus, a value label and a caption for each parameter, the level meter and the
// information button that shows the about window. The panel comes from the parameter table; the pop-up menus and
// the values their choices send are this edition's own.
#pragma once

#include "compressor/CHolvane.hpp"
#include "editor/CEditorPanel.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CMenu;
class CPopupButton;
} // namespace Controls
} // namespace GUI

namespace Holvane
{
class CHolvaneEditor : public Vst::CEditorPanel
{
    BRIVANT_CLASS_RECORD(CHolvaneEditor, "CVstWindow");

public:
    // Builds every image and control; the native window waits for the host's open. Null attributes give the
    // defaults.
    CHolvaneEditor(const ::Brivant::MathTools::CRect& area, AudioEffect* effect,
                   GUI::Windowing::CWindowAttributes* attributes);
    ~CHolvaneEditor() override;

protected:
    // The menu of the row's parameter; its window is made right after the button.
    GUI::Controls::IControl* addPopup(const CParameterDescription& row, const ::Brivant::MathTools::CRect& area,
                                      GUI::Graphics::IImage* up, GUI::Graphics::IImage* down) override;
    // A button without a last choice, or a choice without an item, sends the first choice's value.
    float popupValue(long index) const override;
    // The about box, then the menus' windows.
    void makeSecondaryWindows() override;

private:
    void makeMenuWindow(GUI::Controls::CPopupButton& button);

    // In the order the panel makes them: Valve Modelling, then Key Input.
    Collections::TAutomaticPointer<GUI::Controls::CMenu> m_menus[2];
    Collections::TAutomaticPointer<GUI::Controls::CPopupButton> m_popupButtons[2];
    int m_numberOfPopups;
};
} // namespace Holvane
} // namespace Brivant
