// The editor base in a host's window: opening, closing and failing to open, the updating flag and the values other
// threads leave for the editor's thread.
#include "editor/CVstWindow.hpp"
#include "foundation/exceptions/CException.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "tests/gui/core/CWindowTestSupport.hpp"
#include "vst/AudioEffect.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <thread>
#include <vector>

namespace
{
using Brivant::Exceptions::CException;
using Brivant::MathTools::CRect;
using Brivant::Vst::CVstWindow;
using VolturaTests::CRecordingKeyboardListener;

class CBareEffect : public AudioEffect
{
public:
    CBareEffect() : AudioEffect(nullptr, 1, 4) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

// A window the host gives the editor: a child of the tests' shown window, as a host's editor frame is.
class CHostWindow
{
public:
    CHostWindow()
        : handle(CreateWindowExA(0, "STATIC", "host", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 400,
                                 VolturaTests::sharedVisibleHost(), nullptr, nullptr, nullptr))
    {
    }
    ~CHostWindow()
    {
        if (IsWindow(handle))
            DestroyWindow(handle);
    }
    HWND child() const { return GetWindow(handle, GW_CHILD); }

    HWND handle;
};

struct CShown
{
    long index;
    double value;
    DWORD thread;
};

class CProbeEditor : public CVstWindow
{
public:
    enum EFailure
    {
        kNone,
        kThrows,
        kMakesNoWindow
    };

    explicit CProbeEditor(AudioEffect* effect, Brivant::GUI::Windowing::CWindowAttributes* attributes = nullptr)
        : CVstWindow(effect, CRect(0, 0, 500, 400), attributes)
    {
    }

    void updateParameter(long index, double value) override
    {
        if (!deferToEditorThread(index, value))
            shown.push_back({index, value, GetCurrentThreadId()});
    }
    void createEditorWindow() override
    {
        if (failure == kThrows)
            throw CException(Brivant::Basics::CString("no window today"), Brivant::Basics::CString("test"), true);
        if (failure == kNone)
            CVstWindow::createEditorWindow();
    }

    HWND handle() const { return *getWindowHandle(); }
    // Nothing of an open editor is left.
    void expectClosed() const
    {
        EXPECT_EQ(nullptr, handle());
        EXPECT_FALSE(isCreated());
        EXPECT_EQ(nullptr, getParentPanel());
        EXPECT_EQ(nullptr, getParentWindow());
    }

    EFailure failure = kNone;
    std::vector<CShown> shown;
};

void onOtherThread(const std::function<void()>& work)
{
    std::thread(work).join();
}

TEST(CVstWindowTest, attachesToItsEffectAndAnswersItsSizeBeforeAnyOpen)
{
    CBareEffect effect;
    Brivant::GUI::Windowing::CWindowAttributes attributes;
    attributes.setWindowName(Brivant::Basics::CString("Voltura"));
    auto* editor = new CProbeEditor(&effect, &attributes);
    EXPECT_EQ(editor, effect.getEditor());
    EXPECT_EQ(effFlagsHasEditor, effect.getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(1, effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f));
    EXPECT_EQ(0, rect->top);
    EXPECT_EQ(0, rect->left);
    EXPECT_EQ(400, rect->bottom);
    EXPECT_EQ(500, rect->right);
    EXPECT_STREQ("Voltura", editor->getWindowAttributes()->getWindowName().getString());
    EXPECT_EQ(0x50000000, editor->getWindowAttributes()->getWindowStyle());
    EXPECT_EQ(0x10, editor->getWindowAttributes()->getExtendedWindowStyle());
    EXPECT_STREQ("CVstWindow", editor->getClass().getClassName());
    EXPECT_FALSE(editor->isOpen());
    editor->expectClosed();

    // Without an effect the editor still works as a window.
    CProbeEditor orphan(nullptr);
    CHostWindow host;
    EXPECT_TRUE(orphan.open(host.handle));
    orphan.updateParameter(0, 0.5);
    orphan.close();
    EXPECT_EQ(1u, orphan.shown.size());
}

TEST(CVstWindowTest, opensClosesAndReopensInTheHostsWindow)
{
    CBareEffect effect;
    auto* editor = new CProbeEditor(&effect);
    CHostWindow host;
    for (int round = 0; round < 2; ++round)
    {
        ASSERT_EQ(1, effect.dispatcher(effEditOpen, 0, 0, host.handle, 0.0f)) << "round " << round;
        ASSERT_NE(nullptr, editor->handle());
        EXPECT_EQ(editor->handle(), host.child());
        EXPECT_TRUE(IsWindowVisible(editor->handle()));
        EXPECT_EQ(WS_EX_ACCEPTFILES, GetWindowLongA(editor->handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        EXPECT_TRUE(editor->isOpen());
        ASSERT_NE(nullptr, editor->getParentPanel());
        EXPECT_EQ(editor->getParentPanel(), editor->getParentWindow());
        EXPECT_EQ(host.handle, *editor->getParentPanel()->getWindowHandle());

        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        editor->expectClosed();
        EXPECT_FALSE(editor->isOpen());
        EXPECT_EQ(nullptr, host.child());
        EXPECT_TRUE(IsWindow(host.handle)) << "the host's window is the host's";
    }
}

// Nothing may leave a failed open behind: no wrapper, no parent pointer, no window, and the answer 0.
TEST(CVstWindowTest, aFailedOpenAnswersFalseAndLeavesNothingBehind)
{
    CHostWindow dead;
    const HWND deadHandle = dead.handle;
    DestroyWindow(deadHandle);
    CHostWindow host;
    struct CCase
    {
        const char* name;
        HWND parent;
        CProbeEditor::EFailure failure;
    };
    for (const CCase& test : {CCase{"null parent", nullptr, CProbeEditor::kNone},
                              CCase{"dead parent", deadHandle, CProbeEditor::kNone},
                              CCase{"creation throws", host.handle, CProbeEditor::kThrows},
                              CCase{"no window made", host.handle, CProbeEditor::kMakesNoWindow}})
    {
        CProbeEditor editor(nullptr);
        editor.failure = test.failure;
        EXPECT_FALSE(editor.open(test.parent)) << test.name;
        EXPECT_FALSE(editor.isOpen()) << test.name;
        editor.expectClosed();
        EXPECT_EQ(nullptr, host.child()) << test.name;

        editor.failure = CProbeEditor::kNone;
        EXPECT_TRUE(editor.open(host.handle)) << test.name << ": a later open works";
        editor.close();
    }
}

TEST(CVstWindowTest, aHostThatDestroysItsWindowFirstGetsAFreshWindowAtTheNextOpen)
{
    CProbeEditor editor(nullptr);
    {
        CHostWindow first;
        ASSERT_TRUE(editor.open(first.handle));
    }
    EXPECT_FALSE(editor.isCreated()) << "the system took the child with its parent";
    editor.close();
    editor.expectClosed();

    CHostWindow second;
    ASSERT_TRUE(editor.open(second.handle));
    EXPECT_EQ(editor.handle(), second.child());
    editor.close();
}

TEST(CVstWindowTest, openingAgainWithoutACloseReplacesTheWrapperAndFollowsANewParent)
{
    CProbeEditor editor(nullptr);
    CHostWindow first;
    CHostWindow second;
    ASSERT_TRUE(editor.open(first.handle));
    const HWND window = editor.handle();
    ASSERT_TRUE(editor.open(first.handle));
    EXPECT_EQ(window, editor.handle()) << "the same parent keeps the window";
    EXPECT_TRUE(IsWindow(first.handle));
    ASSERT_TRUE(editor.open(second.handle));
    EXPECT_EQ(nullptr, first.child());
    EXPECT_EQ(editor.handle(), second.child());
    EXPECT_EQ(second.handle, *editor.getParentPanel()->getWindowHandle());
    editor.close();
}

TEST(CVstWindowTest, closingTheEffectWithTheEditorOpenClosesTheEditorFirst)
{
    auto* effect = new CBareEffect();
    new CProbeEditor(effect);
    CHostWindow host;
    ASSERT_EQ(1, effect->dispatcher(effEditOpen, 0, 0, host.handle, 0.0f));
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(1, record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(nullptr, host.child());
    EXPECT_TRUE(IsWindow(host.handle));
}

TEST(CVstWindowTest, theUpdatingFlagHoldsOnlyOnTheThreadThatSetIt)
{
    CProbeEditor editor(nullptr);
    bool seenElsewhere = true;
    editor.setUpdatingEffect(true);
    EXPECT_TRUE(editor.isUpdatingEffect());
    onOtherThread([&] { seenElsewhere = editor.isUpdatingEffect(); });
    EXPECT_FALSE(seenElsewhere);
    editor.setUpdatingEffect(false);
    EXPECT_FALSE(editor.isUpdatingEffect());
}

// Other threads only leave values; the editor's thread shows them at its next idle or open; the newest value wins.
TEST(CVstWindowTest, valuesFromOtherThreadsAreShownOnTheEditorsThreadAtIdleOrOpen)
{
    CBareEffect effect;
    auto* editor = new CProbeEditor(&effect);
    const DWORD editorThread = GetCurrentThreadId();
    onOtherThread([&] {
        editor->updateParameter(2, 0.7);
        editor->updateParameter(3, 0.1);
        editor->updateParameter(9, 0.2);
    });
    EXPECT_TRUE(editor->shown.empty());
    editor->updateParameter(3, 0.9);
    editor->idle();
    ASSERT_EQ(2u, editor->shown.size()) << "the older value of 3 gave way; 9 is no parameter";
    EXPECT_EQ(3, editor->shown[0].index);
    EXPECT_EQ(0.9, editor->shown[0].value);
    EXPECT_EQ(2, editor->shown[1].index);
    EXPECT_EQ(0.7, editor->shown[1].value);
    EXPECT_EQ(editorThread, editor->shown[1].thread);
    editor->idle();
    EXPECT_EQ(2u, editor->shown.size()) << "each value is shown once";

    onOtherThread([&] { editor->updateParameter(1, 0.4); });
    CHostWindow host;
    ASSERT_TRUE(editor->open(host.handle));
    ASSERT_EQ(3u, editor->shown.size());
    EXPECT_EQ(1, editor->shown[2].index);
    editor->close();
}

TEST(CVstWindowTest, keysGoToTheWindowsKeyboardListener)
{
    CProbeEditor editor(nullptr);
    CRecordingKeyboardListener listener;
    Brivant::GUI::Events::CKeyboardEvent key;
    editor.setKeyboardListener(&listener);
    EXPECT_TRUE(editor.handleKeyDown(key));
    listener.answer = false;
    EXPECT_FALSE(editor.handleKeyUp(key));
    EXPECT_EQ(2u, listener.keys.size());
    editor.setKeyboardListener(nullptr);
    EXPECT_FALSE(editor.handleKeyDown(key));
    editor.setKeyboardListener(&editor);
    EXPECT_FALSE(editor.handleKeyDown(key)) << "the editor as its own listener must not loop";
}
} // namespace
