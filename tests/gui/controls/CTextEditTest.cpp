// CTextEdit in a real window: its edit box opens on a click, Return commits and reports, Escape and a loss of focus
// throw the typing away, and every way the box goes leaves no dead window, no second closing and no stray lock.
#include "gui/controls/CTextEdit.hpp"

#include "foundation/basics/CLong.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CControlPanel.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <functional>
#include <string>
#include <tuple>

namespace
{
using Brivant::GUI::Controls::CTextEdit;
using Brivant::GUI::Events::CActionEvent;
using namespace VolturaTests;

// The box's own procedure as the control calls it, counted when it is handed a window that no longer exists.
int s_deadWindowCalls = 0;
LRESULT WINAPI countingCallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    s_deadWindowCalls += IsWindow(window) ? 0 : 1;
    static const auto real = reinterpret_cast<decltype(&CallWindowProcA)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "CallWindowProcA")));
    return real(procedure, window, message, wParam, lParam);
}

// Counts reports and runs during() inside each.
struct CTold : Brivant::GUI::Listeners::IActionListener
{
    void handleActionEvent(const CActionEvent&) override { ++reports, during ? during() : void(); }
    int reports = 0;
    std::function<void()> during;
};

// "old" in a 120 x 20 text edit at (10, 10) of a shown window. Each box that goes costs the display two seconds.
class CTextEditTest : public ::testing::Test
{
protected:
    CTextEditTest() : m_host(sharedVisibleHost()), window(CRect(0, 0, 200, 60))
    {
        window.setParentWindow(&m_host);
        CWindowAttributes attributes = childAttributes("TextEditProbe");
        window.intialiseWindow(&attributes, true);
        root().addControl(edit = new CTextEdit(&root(), 7, CRect(10, 10, 120, 20), CString("old"), &told));
    }

    using CString = Brivant::Basics::CString;
    IControlRoot& root() { return *window.getControlRoot(); }
    HWND box() const { return edit->getEditWindow(); }
    void mouse(UINT message) { SendMessageA(*window.getWindowHandle(), message, 0, packedPosition(20, 15)); }
    void click() { mouse(WM_LBUTTONDOWN), mouse(WM_LBUTTONUP); }
    // Another control holds the lock when the box opens: the press goes straight to the text edit, as the root sends
    // every press to the locked control.
    void openUnderTheLockOf(IControl& before)
    {
        root().lockControl(&before);
        CMouseEvent press(&window.getMousePointer(), CMouseEvent::kLeftButtonDown, 0.0);
        edit->handleLeftButtonDown(press);
    }

    CImportPatch m_spy{"user32.dll", "CallWindowProcA", reinterpret_cast<void*>(&countingCallWindowProc)};
    CForeignWindow m_host;
    CWindow window;
    CTold told;
    CTextEdit* edit;
};

TEST_F(CTextEditTest, returnCommitsAndReportsOnceWhileEscapeAndLosingTheFocusThrowTheTypingAway)
{
    const std::string sixty(60, 'x'), long300(300, 'y');
    // The limit, the text typed (key by key or set at once), how the box goes (Return, Escape, the focus elsewhere
    // or destroyed from outside), whether the listener closes it again while told, and the text and reports after.
    const std::tuple<long, std::string, bool, char, bool, std::string, int> cases[] = {
        {50, sixty, true, 'R', false, sixty.substr(10), 1}, {50, "", false, 'R', false, " ", 1},
        {-1, long300, false, 'R', false, long300, 1},       {0, long300, false, 'R', false, long300, 1},
        {50, "new", false, 'R', true, "new", 1},
        {50, sixty, true, 'E', false, "old", 0},            {50, sixty, true, 'F', false, "old", 0},
        {50, sixty, true, 'D', false, "old", 0}};
    // Only the three alignments are taken.
    edit->setPopupAlignment(2);
    edit->setPopupAlignment(3);
    for (const auto& [limit, typed, byKeys, close, again, text, reports] : cases)
    {
        SCOPED_TRACE(std::string(1, close) + " " + std::to_string(limit) + " " + typed);
        edit->setText(CString("old"));
        // A limit below 1 is none, as the property has it.
        edit->setTextLimit(true, limit);
        Brivant::GUI::Controls::CControlDescriptor property(CString("Text Limit"), 4, nullptr);
        ASSERT_TRUE(edit->fillDescriptor(property));
        EXPECT_EQ(limit > 0 ? limit : -1, dynamic_cast<const Brivant::Basics::CLong*>(property.getValue())->getValue());
        told.reports = 0;
        told.during = [this, again = again] { again ? edit->handleActionEvent(CActionEvent(edit)) : void(); };
        click();
        const HWND opened = box();
        ASSERT_NE(nullptr, opened);
        EXPECT_TRUE(GetFocus() == opened && root().getLockedControl() == edit);
        EXPECT_TRUE((GetWindowLongPtrA(opened, GWL_STYLE) & 3) == ES_RIGHT &&
                    GetWindowLongPtrA(opened, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(edit) &&
                    (limit < 1 || SendMessageA(opened, EM_GETLIMITTEXT, 0, 0) == limit));
        SendMessageA(opened, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(byKeys ? "" : typed.c_str()));
        for (size_t at = 0; byKeys && at < typed.size(); ++at)
            SendMessageA(opened, WM_CHAR, static_cast<WPARAM>(typed[at]), 1);
        if (close == 'R' || close == 'E')
            SendMessageA(opened, WM_KEYDOWN, close == 'R' ? VK_RETURN : VK_ESCAPE, 1);
        if (close == 'F' || close == 'D')
            close == 'F' ? static_cast<void>(SetFocus(sharedVisibleHost())) : static_cast<void>(DestroyWindow(opened));
        EXPECT_EQ(text, edit->getText().getString());
        EXPECT_EQ(reports, told.reports);
        EXPECT_TRUE(!IsWindow(opened) && box() == nullptr && root().getLockedControl() == nullptr);
        EXPECT_EQ(0, s_deadWindowCalls);
    }
}

TEST_F(CTextEditTest, onlyAnEditableLabelOpensAndOnlyOnTheClickItIsSetFor)
{
    // Editable, single click, and whether a press and whether a double click opens the box.
    for (const auto& [editable, singleClick, onPress, onDouble] :
         {std::make_tuple(true, true, true, false), {true, false, false, true}, {false, true, false, false},
          {false, false, false, false}})
    {
        edit->setEditable(editable);
        edit->setSingleClick(singleClick);
        for (const auto& [message, opens] : {std::make_pair(WM_LBUTTONDOWN, onPress), {WM_LBUTTONDBLCLK, onDouble}})
        {
            mouse(message), mouse(WM_LBUTTONUP);
            EXPECT_EQ(opens, box() != nullptr) << editable << singleClick << message;
            SendMessageA(box(), WM_KEYDOWN, VK_ESCAPE, 1);
        }
    }
}

TEST_F(CTextEditTest, aTextEditInsideAPanelGetsItsOwnColoursFromTheWindow)
{
    auto* panel = new Brivant::GUI::Controls::CControlPanel(&window, &root(), 3, CRect(0, 30, 200, 30), nullptr);
    root().addControl(panel);
    auto* inner = new CTextEdit(panel, 8, CRect(10, 5, 120, 20), CString("in"), &told);
    panel->addControl(inner);
    inner->setColours(CAlphaColour(1, 2, 3), CAlphaColour(10, 20, 30), CAlphaColour(200, 100, 50));
    SendMessageA(*window.getWindowHandle(), WM_LBUTTONDOWN, 0, packedPosition(20, 40));
    SendMessageA(*window.getWindowHandle(), WM_LBUTTONUP, 0, packedPosition(20, 40));
    const HWND opened = inner->getEditWindow();
    ASSERT_NE(nullptr, opened);
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HGDIOBJ>(SendMessageA(*window.getWindowHandle(), WM_CTLCOLOREDIT,
                                                              reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(opened)));
    LOGBRUSH colour = {};
    ASSERT_NE(0, GetObjectA(brush, sizeof(colour), &colour));
    EXPECT_TRUE(colour.lbColor == RGB(10, 20, 30) && GetTextColor(dc) == RGB(200, 100, 50));
    SendMessageA(opened, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(IsWindow(opened));
    DeleteDC(dc);
}

TEST_F(CTextEditTest, aReopenedBoxGivesBackTheLockFoundFirstAndADestroyedControlLeavesNoBoxNorBrushBehind)
{
    edit->setColours(CAlphaColour(1, 2, 3), CAlphaColour(10, 20, 30), CAlphaColour(200, 100, 50));
    auto& before = *new CProbeControl(&root(), "before", CRect(150, 10, 20, 20), nullptr);
    root().addControl(&before);
    openUnderTheLockOf(before);
    const long held = before.getReferenceCount();
    const HWND firstBox = box();
    click();
    EXPECT_FALSE(IsWindow(firstBox));
    SendMessageA(box(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(static_cast<IControl*>(&before), root().getLockedControl());

    openUnderTheLockOf(before);
    const HWND opened = box();
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto ask = [&] {
        return reinterpret_cast<HGDIOBJ>(SendMessageA(*window.getWindowHandle(), WM_CTLCOLOREDIT,
                                                      reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(opened)));
    };
    const HGDIOBJ first = ask(), last = ask();
    LOGBRUSH colour = {};
    ASSERT_NE(0, GetObjectA(last, sizeof(colour), &colour));
    EXPECT_TRUE(colour.lbColor == RGB(10, 20, 30) && GetTextColor(dc) == RGB(200, 100, 50));
    EXPECT_TRUE(GetBkMode(dc) == TRANSPARENT && GetObjectType(first) == 0);
    // The root lets go of its lock and its entry, the last references: no report, and the kept lock is let go.
    root().removeControl(edit);
    EXPECT_TRUE(!IsWindow(opened) && GetObjectType(last) == 0);
    EXPECT_EQ(held - 1, before.getReferenceCount());
    EXPECT_EQ(0, told.reports + s_deadWindowCalls);
    DeleteDC(dc);
}
} // namespace
