#include "gui/controls/ControlFactory.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TPointerCollection.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CADSREditor.hpp"
#include "gui/controls/CAnimationFrame.hpp"
#include "gui/controls/CAreaBox.hpp"
#include "gui/controls/CAutoAnimation.hpp"
#include "gui/controls/CCenterSlider.hpp"
#include "gui/controls/CComboBox.hpp"
#include "gui/controls/CImageLabel.hpp"
#include "gui/controls/CKnob.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuBar.hpp"
#include "gui/controls/CModulatedSlider.hpp"
#include "gui/controls/CModulatedXYPad.hpp"
#include "gui/controls/CMomentaryButton.hpp"
#include "gui/controls/CPopupButton.hpp"
#include "gui/controls/CPresetBrowser.hpp"
#include "gui/controls/CPresetBrowserLayout.hpp"
#include "gui/controls/CProgressBar.hpp"
#include "gui/controls/CRadioButton.hpp"
#include "gui/controls/CRangeSlider.hpp"
#include "gui/controls/CRepeatingButton.hpp"
#include "gui/controls/CRolloverButton.hpp"
#include "gui/controls/CScrollBar.hpp"
#include "gui/controls/CScrollPanel.hpp"
#include "gui/controls/CSlider.hpp"
#include "gui/controls/CSliderArray.hpp"
#include "gui/controls/CStepLabel.hpp"
#include "gui/controls/CTabPanel.hpp"
#include "gui/controls/CTableView.hpp"
#include "gui/controls/CTextEdit.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/controls/CTreeView.hpp"
#include "gui/controls/CTriStateImage.hpp"
#include "gui/controls/CWaveCycle.hpp"
#include "gui/controls/CWindowDragTab.hpp"
#include "gui/controls/CXYPad.hpp"
#include "gui/core/CControlPanel.hpp"

#include <new>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TAutomaticPointer;
using ::Brivant::MathTools::CRect;

namespace
{
// The vocabulary of the layout format, in alphabetical order; each control class adds its name here and its
// construction to newControl.
const char* const kClassNames[] = {
    "CADSREditor",
    "CAnimation",
    "CAnimationFrame",
    "CAreaBox",
    "CAutoAnimation",
    "CCenterSlider",
    "CComboBox",
    "CControlPanel",
    "CImageLabel",
    "CKnob",
    "CLatchingButton",
    "CLevelMeter",
    "CMenuBar",
    "CModulatedSlider",
    "CModulatedXYPad",
    "CMomentaryButton",
    "CPopupButton",
    "CPresetBrowser",
    "CProgressBar",
    "CRadioButton",
    "CRangeSlider",
    "CRepeatingButton",
    "CRolloverButton",
    "CScrollBar",
    "CScrollPanel",
    "CSlider",
    "CSliderArray",
    "CStepLabel",
    "CTabPanel",
    "CTableView",
    "CTextEdit",
    "CTextLabel",
    "CTreeView",
    "CTriStateImage",
    "CWaveCycle",
    "CWindowDragTab",
    "CXYPad",
};

// The header a browser from the factory gets: a label and two small buttons across its width.
void setDefaultHeader(CPresetBrowser& browser)
{
    const long width = browser.getArea().getWidth();
    CPresetBrowserLayout layout;
    layout.headerSize = ::Brivant::MathTools::CDimension(width, 22);
    layout.labelArea = CRect(2, 2, width - 64, 18);
    layout.loadButtonArea = CRect(width - 46, 2, 18, 18);
    layout.saveButtonArea = CRect(width - 24, 2, 18, 18);
    browser.setLayout(layout);
}

// A new control of the named class with its default arguments, or null for a name outside the list or when the
// control itself cannot be allocated. Only the allocation is guarded: what a constructor throws passes, and a menu
// handed to one is held meanwhile so that it goes with the control that failed.
IControl* newControl(const CString& className, IControlRoot* root)
{
    if (className == "CADSREditor")
        return new (std::nothrow) CADSREditor(root, -1, CRect(0, 0, 150, 100), nullptr);
    if (className == "CAnimation")
        return new (std::nothrow) CAnimation(root, -1, CRect(0, 0, 50, 50));
    if (className == "CAnimationFrame")
        return new (std::nothrow) CAnimationFrame(root, -1, CRect(0, 0, 50, 50));
    if (className == "CAreaBox")
        return new (std::nothrow) CAreaBox(root, CRect(0, 0, 50, 50));
    if (className == "CAutoAnimation")
        return new (std::nothrow) CAutoAnimation(root, -1, CRect(0, 0, 50, 50));
    if (className == "CCenterSlider")
        return new (std::nothrow) CCenterSlider(root, -1, CRect(0, 0, 100, 20), nullptr);
    if (className == "CComboBox")
    {
        TAutomaticPointer<CMenu> menu;
        menu.setPointer(new (std::nothrow) CMenu());
        if (menu.getPointer() == nullptr)
            return nullptr;
        return new (std::nothrow)
            CComboBox(root, -1, CRect(0, 0, 100, 20), CString("Text"), menu.getPointer(), nullptr, nullptr);
    }
    if (className == "CControlPanel")
        return new (std::nothrow) CControlPanel(root->getParentWindow(), root, -1, CRect(0, 0, 200, 200), nullptr);
    if (className == "CImageLabel")
        return new (std::nothrow) CImageLabel(root, -1, CRect(0, 0, 100, 20));
    if (className == "CKnob")
        return new (std::nothrow) CKnob(root, -1, CRect(0, 0, 50, 50), nullptr);
    if (className == "CLatchingButton")
        return new (std::nothrow) CLatchingButton(root, -1, CRect(0, 0, 50, 50), nullptr);
    if (className == "CLevelMeter")
        return new (std::nothrow) CLevelMeter(root, -1, CRect(0, 0, 20, 100), 100);
    if (className == "CMenuBar")
        return new (std::nothrow) CMenuBar(root, -1, CRect(0, 0, 200, 25), nullptr);
    if (className == "CModulatedSlider")
        return new (std::nothrow) CModulatedSlider(root, -1, CRect(0, 0, 100, 20), nullptr);
    if (className == "CModulatedXYPad")
        return new (std::nothrow) CModulatedXYPad(root, -1, CRect(0, 0, 200, 200), nullptr);
    if (className == "CMomentaryButton")
        return new (std::nothrow) CMomentaryButton(root, -1, CRect(0, 0, 50, 50), nullptr);
    if (className == "CPresetBrowser")
        return new (std::nothrow) CPresetBrowser(root, -1, CRect(0, 0, 200, 400), nullptr);
    if (className == "CPopupButton")
    {
        TAutomaticPointer<CMenu> menu;
        menu.setPointer(new (std::nothrow) CMenu());
        if (menu.getPointer() == nullptr)
            return nullptr;
        return new (std::nothrow) CPopupButton(root, -1, CRect(0, 0, 50, 50), menu.getPointer(), nullptr, nullptr);
    }
    if (className == "CProgressBar")
        return new (std::nothrow) CProgressBar(root, -1, CRect(0, 0, 200, 20));
    if (className == "CRadioButton")
        return new (std::nothrow) CRadioButton(root, -1, CRect(0, 0, 200, 50), 4, nullptr);
    if (className == "CRangeSlider")
        return new (std::nothrow) CRangeSlider(root, -1, CRect(0, 0, 150, 100), nullptr);
    if (className == "CRepeatingButton")
        return new (std::nothrow) CRepeatingButton(root, -1, CRect(0, 0, 50, 50), nullptr);
    if (className == "CRolloverButton")
        return new (std::nothrow) CRolloverButton(root, -1, CRect(0, 0, 50, 50), nullptr);
    if (className == "CScrollBar")
        return new (std::nothrow) CScrollBar(root, -1, CRect(0, 0, 20, 100), CRect(0, 0, 20, 100), nullptr);
    if (className == "CScrollPanel")
        return new (std::nothrow) CScrollPanel(root, -1, CRect(0, 0, 200, 200), CRect(0, 0, 200, 200));
    if (className == "CSlider")
        return new (std::nothrow) CSlider(root, -1, CRect(0, 0, 20, 100), nullptr);
    if (className == "CSliderArray")
        return new (std::nothrow) CSliderArray(root, -1, CRect(0, 0, 200, 100), 35, 5, 4, nullptr);
    if (className == "CStepLabel")
        return new (std::nothrow) CStepLabel(root, -1, CRect(0, 0, 50, 20), nullptr);
    if (className == "CTabPanel")
        return new (std::nothrow) CTabPanel(root, -1, CRect(0, 0, 200, 200), nullptr);
    if (className == "CTableView")
        return new (std::nothrow)
            CTableView(root, -1, CRect(0, 0, 200, 200), CRect(0, 0, 200, 200), nullptr, nullptr);
    if (className == "CTextEdit")
        return new (std::nothrow) CTextEdit(root, -1, CRect(0, 0, 50, 20), CString("Text"), nullptr);
    if (className == "CTextLabel")
        return new (std::nothrow) CTextLabel(root, -1, CRect(0, 0, 50, 20), CString("Text"));
    if (className == "CTreeView")
        return new (std::nothrow)
            CTreeView(root, -1, CRect(0, 0, 200, 200), CRect(0, 0, 200, 200), nullptr, nullptr);
    if (className == "CTriStateImage")
        return new (std::nothrow) CTriStateImage(root, -1, CRect(0, 0, 50, 20));
    if (className == "CWaveCycle")
        return new (std::nothrow) CWaveCycle(root, -1, CRect(0, 0, 100, 100));
    if (className == "CWindowDragTab")
        return new (std::nothrow) CWindowDragTab(root, -1, CRect(0, 0, 100, 50), nullptr);
    if (className == "CXYPad")
        return new (std::nothrow) CXYPad(root, -1, CRect(0, 0, 200, 200), nullptr);
    return nullptr;
}
} // namespace

bool createControl(const CString& className, Collections::TAutomaticPointer<IControl>& control, IControlRoot* root)
{
    if (root == nullptr)
        return control.getPointer() != nullptr;
    if (IControl* created = newControl(className, root))
    {
        control.setPointer(created);
        if (auto* browser = dynamic_cast<CPresetBrowser*>(created))
            setDefaultHeader(*browser);
    }
    return control.getPointer() != nullptr;
}

void getControlClassNames(Collections::TPointerCollection<CString>& names)
{
    for (const char* name : kClassNames)
        names.addElement(new CString(name));
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
