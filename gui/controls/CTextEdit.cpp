#include "gui/controls/CTextEdit.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/host/CApplication.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CWindowTools.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IWindow.hpp"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CRect;
using ::Brivant::Collections::TAutomaticPointer;
using ::Brivant::Collections::TCountedObjectDeleter;
using Events::CActionEvent;

namespace
{
const char kTextLimit[] = "Text Limit";
const char kEditable[] = "Editable";
const char kSingleClick[] = "Single Click";
const char kPopupAlignment[] = "Popup Alignment";
const char* const kPopupAlignmentNames[CTextEdit::kNumberOfPopupAlignments] = {"Left", "Center", "Right"};

TCountedObjectDeleter<IControl>& countedPolicy() { return TCountedObjectDeleter<IControl>::sharedPolicy(); }

const CBool* boolValue(const CControlDescriptor& descriptor)
{
    return descriptor.isValueOfClass(CBool::classRecord()) ? dynamic_cast<const CBool*>(descriptor.getValue())
                                                            : nullptr;
}
} // namespace

// The box's procedure: it finds its control in the box's user data, which holds it only while subclassed.
class CTextEditProcedure
{
public:
    static LRESULT CALLBACK procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* control = reinterpret_cast<CTextEdit*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
        if (control == nullptr)
            return DefWindowProcA(edit, message, wParam, lParam);
        // Nothing may unwind into the system's code.
        try
        {
            return control->handleEditMessage(edit, message, wParam, lParam);
        }
        catch (...)
        {
            Host::CTrace::trace("%s", "CTextEdit: the closing step failed");
            return 0;
        }
    }
};

CTextEdit::CTextEdit(IControlRoot* root, long id, const CRect& area, const CString& text,
                     Listeners::IActionListener* listener)
    : CTextLabel(root, id, area, text), m_editWindow(nullptr), m_previousProcedure(0), m_previousLock(),
      m_backgroundBrush(nullptr), m_discard(false), m_limited(true), m_textLimit(50), m_popupAlignment(kPopupLeft),
      m_editable(true), m_singleClick(true)
{
    registerActionListener(listener);
    setMouseEnabled(true);
    setDropFileEnabled(true);
}

CTextEdit::~CTextEdit()
{
    HWND edit = m_editWindow;
    m_editWindow = nullptr;
    destroyEditWindow(edit);
    if (m_backgroundBrush != nullptr)
        DeleteObject(m_backgroundBrush);
}

void CTextEdit::setTextLimit(bool limited, long limit)
{
    // A limit below 1 is none, as through the property: the box would take any length and Return would cut it.
    m_limited = limited && limit > 0;
    m_textLimit = limit;
}

void CTextEdit::setPopupAlignment(long alignment)
{
    if (alignment >= 0 && alignment < kNumberOfPopupAlignments)
        m_popupAlignment = alignment;
}

void CTextEdit::setEditable(bool editable) { m_editable = editable; }

void CTextEdit::setSingleClick(bool singleClick) { m_singleClick = singleClick; }

void CTextEdit::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CTextLabel::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kTextLimit), CControlDescriptor::kInteger, nullptr));
    list.addElement(new CControlDescriptor(CString(kEditable), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString(kSingleClick), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString(kPopupAlignment), CControlDescriptor::kSelection, nullptr));
}

bool CTextEdit::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kTextLimit)
    {
        if (!descriptor.isValueOfClass(CLong::classRecord()))
            return false;
        const long limit = dynamic_cast<const CLong*>(descriptor.getValue())->getValue();
        setTextLimit(limit > 0, limit);
        return true;
    }
    if (name == kEditable || name == kSingleClick)
    {
        const CBool* flag = boolValue(descriptor);
        if (flag == nullptr)
            return false;
        if (name == kEditable)
            setEditable(flag->getValue());
        else
            setSingleClick(flag->getValue());
        return true;
    }
    if (name == kPopupAlignment)
    {
        const long index = descriptor.getSelectedIndex();
        if (index < 0 || index >= kNumberOfPopupAlignments)
            return false;
        setPopupAlignment(index);
        return true;
    }
    return CTextLabel::applyDescriptor(descriptor);
}

bool CTextEdit::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kTextLimit)
        descriptor.setValue(new CLong(m_limited ? m_textLimit : -1));
    else if (name == kEditable)
        descriptor.setValue(new CBool(m_editable));
    else if (name == kSingleClick)
        descriptor.setValue(new CBool(m_singleClick));
    else if (name == kPopupAlignment)
    {
        // The descriptor holds the list while it is filled, so a failure to fill it lets it go.
        auto* options = new TCountedPointerArray<CString>();
        descriptor.setValue(options);
        for (const char* option : kPopupAlignmentNames)
            options->addElement(new CString(option));
        descriptor.setSelectedIndex(m_popupAlignment);
    }
    else
        return CTextLabel::fillDescriptor(descriptor);
    return true;
}

void CTextEdit::handleLeftButtonDown(Events::CMouseEvent& /*event*/)
{
    if (m_editable && m_singleClick)
        openEdit();
}

void CTextEdit::handleDoubleClick(Events::CMouseEvent& /*event*/)
{
    if (m_editable && !m_singleClick)
        openEdit();
}

void CTextEdit::handleActionEvent(const CActionEvent& event) { closeEdit(event); }

HBRUSH CTextEdit::prepareEditColours(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, getTextColour().getAsColourRef());
    // The box has painted with the previous brush by the time it asks again, so only the newest is kept.
    if (HBRUSH brush = CreateSolidBrush(getBackgroundColour().getAsColourRef()))
    {
        if (m_backgroundBrush != nullptr)
            DeleteObject(m_backgroundBrush);
        m_backgroundBrush = brush;
    }
    return m_backgroundBrush;
}

CTextEdit* CTextEdit::findBoxOwner(HWND box)
{
    // Only a box this class subclassed runs its procedure, and then its user data holds the control.
    if (box == nullptr || !IsWindow(box) ||
        GetWindowLongPtrA(box, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CTextEditProcedure::procedure))
        return nullptr;
    auto* control = reinterpret_cast<CTextEdit*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    return control != nullptr && control->m_editWindow == box ? control : nullptr;
}

void CTextEdit::openEdit()
{
    IControlRoot* root = getControlRoot();
    HWND__* const* owner = root->getParentWindow()->getWindowHandle();
    if (owner == nullptr || *owner == nullptr)
        return;
    // Opened again while open, the lock found is this control's own: the one from before the first opening stays.
    if (m_editWindow == nullptr)
        m_previousLock.setPointer(root->getLockedControl());
    root->lockControl(this);
    CRect content(0, 0, 0, 0);
    Windowing::CWindowTools::getContentArea(owner, content);
    const CRect& area = getAbsoluteArea();
    HWND old = m_editWindow;
    m_editWindow = nullptr;
    destroyEditWindow(old);

    const DWORD style = WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL | static_cast<DWORD>(m_popupAlignment);
    HWND edit = CreateWindowExA(0, "EDIT", getText().getString(), style, area.getLeft() + content.getLeft(),
                                area.getTop() + content.getTop(), area.getWidth(), area.getHeight(), *owner, nullptr,
                                static_cast<HINSTANCE>(Host::CApplication::getModuleHandle()), nullptr);
    if (edit == nullptr)
    {
        releaseEditWindow(nullptr, false);
        return;
    }
    SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (getFont() != nullptr && getFont()->getFontHandle() != nullptr)
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(getFont()->getFontHandle()), TRUE);
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (m_limited)
        SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(m_textLimit), 0);
    m_editWindow = edit;
    SetFocus(edit);
    m_previousProcedure =
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CTextEditProcedure::procedure));
}

bool CTextEdit::closeEdit(const CActionEvent& event)
{
    HWND edit = m_editWindow;
    if (edit == nullptr)
        return false;
    // A closing step run from inside this one (the box loses the focus as it goes, a listener closes it again)
    // finds no box.
    m_editWindow = nullptr;
    // A listener may take the control out of its root: it must live until the step is done.
    const TAutomaticPointer<IControl> self(this, &countedPolicy());
    try
    {
        if (!m_discard)
        {
            const int length = GetWindowTextLengthA(edit);
            std::vector<char> typed(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
            GetWindowTextA(edit, typed.data(), static_cast<int>(typed.size()));
            if (m_limited && m_textLimit >= 0 && static_cast<size_t>(m_textLimit) < typed.size())
                typed[static_cast<size_t>(m_textLimit)] = '\0';
            setText(CString(typed[0] != '\0' ? typed.data() : " "));
            if (Listeners::IActionListener* listener = getActionListener())
                listener->handleActionEvent(event);
        }
    }
    catch (...)
    {
        releaseEditWindow(edit, true);
        throw;
    }
    releaseEditWindow(edit, true);
    return true;
}

void CTextEdit::releaseEditWindow(HWND edit, bool destroy)
{
    const TAutomaticPointer<IControl> self(this, &countedPolicy());
    if (destroy)
        destroyEditWindow(edit);
    else
        restoreEditProcedure(edit);
    IControlRoot* root = getControlRoot();
    // Unless someone else took the lock meanwhile.
    if (root->getLockedControl() == this)
    {
        root->unlockControl();
        if (m_previousLock.getPointer() != nullptr)
            root->lockControl(m_previousLock.getPointer());
    }
    m_previousLock.setPointer(nullptr);
    update();
}

void CTextEdit::restoreEditProcedure(HWND edit)
{
    if (edit == nullptr)
        return;
    if (m_previousProcedure != 0)
        SetWindowLongPtrA(edit, GWLP_WNDPROC, m_previousProcedure);
    SetWindowLongPtrA(edit, GWLP_USERDATA, 0);
    m_previousProcedure = 0;
}

void CTextEdit::destroyEditWindow(HWND edit)
{
    if (edit == nullptr)
        return;
    // Given its own procedure back first, the box tells the control nothing more, not even its loss of focus.
    restoreEditProcedure(edit);
    DestroyWindow(edit);
}

std::intptr_t CTextEdit::handleEditMessage(HWND edit, unsigned int message, std::uintptr_t wParam,
                                           std::intptr_t lParam)
{
    // Kept apart: the closing step may end with the control deleted.
    const auto previous = reinterpret_cast<WNDPROC>(m_previousProcedure);
    switch (message)
    {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KILLFOCUS:
        m_discard = true;
        // The closing step destroyed the box: its own procedure must not see it again.
        return closeEdit(CActionEvent(this)) ? 0 : CallWindowProcA(previous, edit, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam != VK_RETURN && wParam != VK_ESCAPE)
            break;
        m_discard = wParam == VK_ESCAPE;
        return closeEdit(CActionEvent(this)) ? 0 : CallWindowProcA(previous, edit, message, wParam, lParam);
    case WM_NCDESTROY:
        // Destroyed from outside, with its owner: the lock goes back and nothing is reported.
        if (edit == m_editWindow)
        {
            m_editWindow = nullptr;
            releaseEditWindow(edit, false);
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(previous, edit, message, wParam, lParam);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
