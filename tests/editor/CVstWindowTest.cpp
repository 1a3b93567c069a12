// The editor base in a host's window: opening, closing and failing to open, the updating flag and the values other
// threads leave for the editor's thread.
#include "editor/CVstWindow.hpp"
#include "foundation/exceptions/CException.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "vst/AudioEffect.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
using Brivant::MathTools::CRect;
using Brivant::Vst::CVstWindow;

class CBareEffect : public AudioEffect
{
public:
    CBareEffect() : AudioEffect(nullptr, 1, 4) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

// A host's editor frame: a child of the tests' shown window.
struct CHostWindow
{
    CHostWindow()
        : handle(CreateWindowExA(0, "STATIC", "host", WS_CHILD | WS_VISIBLE, 0, 0, 500, 400,
                                 VolturaTests::sharedVisibleHost(), nullptr, nullptr, nullptr))
    {
    }
    ~CHostWindow() { DestroyWindow(handle); }
    HWND child() const { return GetWindow(handle, GW_CHILD); }
    HWND handle;
};

class CProbeEditor : public CVstWindow
{
public:
    enum EFailure { kNone, kThrows, kMakesNoWindow };

    explicit CProbeEditor(AudioEffect* effect) : CVstWindow(effect, CRect(0, 0, 500, 400), nullptr) {}

    // Shows (index, value) as "index=value@thread" unless it came from another thread.
    void updateParameter(long index, double value) override
    {
        if (!deferToEditorThread(index, value))
            shown.push_back(std::to_string(index) + "=" + std::to_string(value).substr(0, 3) +
                            (GetCurrentThreadId() == m_builder ? "" : "@other"));
    }
    void createEditorWindow() override
    {
        if (failure == kThrows)
            throw Brivant::Exceptions::CException(Brivant::Basics::CString("no window"), Brivant::Basics::CString("t"),
                                                  true);
        if (failure == kNone)
            CVstWindow::createEditorWindow();
    }
    HWND handle() const { return *getWindowHandle(); }
    bool isClosed()
    {
        return handle() == nullptr && !isCreated() && !isOpen() && getParentPanel() == nullptr &&
               getParentWindow() == nullptr;
    }

    EFailure failure = kNone;
    std::vector<std::string> shown;

private:
    DWORD m_builder = GetCurrentThreadId();
};

struct CFailingEditor : public CVstWindow
{
    explicit CFailingEditor(AudioEffect* effect) : CVstWindow(effect, CRect(0, 0, 5, 5), nullptr)
    {
        throw std::runtime_error("no panel");
    }
};

// Attached at construction, unless the construction fails; open, close and reopen; open again in the same window
// and in another; the host destroying its window first; the effect closed with the editor open. The host's windows
// always survive the editor.
TEST(CVstWindowTest, opensAndClosesInTheHostsWindowsWhateverTheHostDoes)
{
    auto* effect = new CBareEffect();
    EXPECT_THROW(new CFailingEditor(effect), std::runtime_error);
    EXPECT_EQ(nullptr, effect->getEditor());
    auto* editor = new CProbeEditor(effect);
    EXPECT_EQ(effFlagsHasEditor, effect->getAeffect()->flags & effFlagsHasEditor);
    EXPECT_STREQ("CWindow", CVstWindow::classRecord().getParentName());
    ERect* rect = nullptr;
    ASSERT_EQ(1, effect->dispatcher(effEditGetRect, 0, 0, &rect, 0.0f));
    EXPECT_EQ(std::vector<int>({0, 0, 400, 500}), std::vector<int>({rect->top, rect->left, rect->bottom, rect->right}));
    CHostWindow first;
    CHostWindow second;
    for (int round = 0; round < 2; ++round)
    {
        ASSERT_EQ(1, effect->dispatcher(effEditOpen, 0, 0, first.handle, 0.0f));
        EXPECT_EQ(editor->handle(), first.child());
        EXPECT_EQ(WS_CHILD | WS_VISIBLE, GetWindowLongA(editor->handle(), GWL_STYLE) & (WS_CHILD | WS_VISIBLE));
        EXPECT_EQ(WS_EX_ACCEPTFILES, GetWindowLongA(editor->handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        EXPECT_EQ(first.handle, *editor->getParentWindow()->getWindowHandle());
        effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        EXPECT_TRUE(editor->isClosed());
        EXPECT_EQ(nullptr, first.child());
    }

    ASSERT_TRUE(editor->open(first.handle));
    const HWND window = editor->handle();
    ASSERT_TRUE(editor->open(first.handle));
    EXPECT_EQ(window, editor->handle()) << "the same parent keeps the window";
    ASSERT_TRUE(editor->open(second.handle));
    EXPECT_EQ(nullptr, first.child());
    EXPECT_EQ(editor->handle(), second.child());

    DestroyWindow(second.handle);
    EXPECT_FALSE(editor->isCreated()) << "the system took the child with its parent";
    editor->close();
    EXPECT_TRUE(editor->isClosed());
    ASSERT_TRUE(editor->open(first.handle)) << "a fresh window after the host destroyed its own";

    AEffect* record = effect->getAeffect();
    EXPECT_EQ(1, record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(nullptr, first.child());
    EXPECT_TRUE(IsWindow(first.handle));
}

// Whichever allocation fails, the effect is left without an editor, or with the one that was made. The window
// part swallows some failures, so the count runs well past the construction's own.
TEST(CVstWindowTest, aConstructionShortOfMemoryLeavesTheEffectWithoutAnEditor)
{
    Brivant::GUI::Windowing::CWindowAttributes attributes;
    attributes.setWindowName(Brivant::Basics::CString("Voltura"));
    for (long allocation = 1; allocation <= 100; ++allocation)
    {
        auto* effect = new CBareEffect();
        CVstWindow* editor = nullptr;
        Brivant::Testing::CAllocationFailure::failAt(allocation);
        try
        {
            editor = new CVstWindow(effect, CRect(0, 0, 5, 5), &attributes);
        }
        catch (...)
        {
        }
        Brivant::Testing::CAllocationFailure::disarm();
        EXPECT_EQ(editor, effect->getEditor()) << "allocation " << allocation;
        // Deleting the effect would reach through the editor it still names.
        if (editor == nullptr && effect->getEditor() != nullptr)
            effect->setEditor(nullptr);
        delete effect;
    }
}

// Nothing may leave a failed open behind: no wrapper, no parent pointer, no window, and the answer 0.
TEST(CVstWindowTest, aFailedOpenAnswersFalseAndLeavesNothingBehind)
{
    HWND dead = CHostWindow().handle;
    CHostWindow host;
    const struct
    {
        HWND parent;
        CProbeEditor::EFailure failure;
    } cases[] = {{nullptr, CProbeEditor::kNone},
                 {dead, CProbeEditor::kNone},
                 {host.handle, CProbeEditor::kThrows},
                 {host.handle, CProbeEditor::kMakesNoWindow}};
    for (const auto& test : cases)
    {
        CBareEffect effect;
        auto* editor = new CProbeEditor(&effect);
        editor->failure = test.failure;
        EXPECT_EQ(0, effect.dispatcher(effEditOpen, 0, 0, test.parent, 0.0f)) << test.failure;
        EXPECT_TRUE(editor->isClosed()) << test.failure;
        EXPECT_EQ(nullptr, host.child()) << test.failure;
        editor->failure = CProbeEditor::kNone;
        EXPECT_TRUE(editor->open(host.handle)) << test.failure << ": a later open works";
    }
}

TEST(CVstWindowTest, theUpdatingFlagHoldsOnlyOnTheThreadThatSetIt)
{
    CProbeEditor editor(nullptr);
    bool elsewhere = true;
    editor.setUpdatingEffect(true);
    std::thread([&] { elsewhere = editor.isUpdatingEffect(); }).join();
    EXPECT_TRUE(editor.isUpdatingEffect());
    EXPECT_FALSE(elsewhere);
    editor.setUpdatingEffect(false);
    EXPECT_FALSE(editor.isUpdatingEffect());
}

// Other threads only leave values; the editor's thread shows them once, at its next idle or open, and a value it
// was given itself meanwhile wins. An editor without an effect has no parameters to leave values for.
TEST(CVstWindowTest, valuesFromOtherThreadsAreShownOnTheEditorsThreadAtIdleOrOpen)
{
    CBareEffect effect;
    auto* editor = new CProbeEditor(&effect);
    std::thread([&] {
        editor->updateParameter(2, 0.7);
        editor->updateParameter(3, 0.1);
        editor->updateParameter(9, 0.2);
    }).join();
    EXPECT_TRUE(editor->shown.empty());
    editor->updateParameter(3, 0.9);
    editor->idle();
    editor->idle();
    EXPECT_EQ(std::vector<std::string>({"3=0.9", "2=0.7"}), editor->shown);

    std::thread([&] { editor->updateParameter(1, 0.4); }).join();
    CHostWindow host;
    ASSERT_TRUE(editor->open(host.handle));
    EXPECT_EQ("1=0.4", editor->shown.back());

    CProbeEditor orphan(nullptr);
    std::thread([&] { orphan.updateParameter(0, 0.5); }).join();
    orphan.idle();
    EXPECT_TRUE(orphan.shown.empty());
}

// Records the values it shows; on the editor's thread, another thread leaves `interruption` for the same parameter
// just after the editor took a value to show.
struct CValueRecorder : CVstWindow
{
    explicit CValueRecorder(AudioEffect* effect) : CVstWindow(effect, CRect(0, 0, 5, 5), nullptr) {}
    void updateParameter(long index, double value) override
    {
        if (interruption > value && isEditorThread())
            std::thread([this, index] { updateParameter(index, interruption); }).join();
        if (!deferToEditorThread(index, value))
            shown.push_back(value);
    }
    double interruption = 0.0;
    std::vector<double> shown;
};

// Another thread leaves 1, 2, 3 ... for one parameter while the editor's thread idles: no value is shown twice or
// after a newer one, and the last one is shown.
TEST(CVstWindowTest, aValueLeftDuringIdleIsShownOnceAndTheLastIsNeverLost)
{
    CBareEffect effect;
    auto* editor = new CValueRecorder(&effect);
    constexpr int kValues = 100000;
    std::atomic<bool> done(false);
    std::thread writer([&] {
        for (int value = 1; value <= kValues; ++value)
            editor->updateParameter(0, value);
        done.store(true);
    });
    while (!done.load())
        editor->idle();
    writer.join();
    editor->idle();
    ASSERT_FALSE(editor->shown.empty());
    EXPECT_EQ(kValues, editor->shown.back());
    for (size_t index = 1; index < editor->shown.size(); ++index)
        ASSERT_LT(editor->shown[index - 1], editor->shown[index]) << "at " << index;
}

// Another thread leaves a newer value just after the editor's thread took an older one to show it: the next idle
// shows the newer one.
TEST(CVstWindowTest, aValueLeftWhileTheEditorShowsAnOlderOneIsShownNext)
{
    CBareEffect effect;
    auto* editor = new CValueRecorder(&effect);
    editor->interruption = 2.0;
    std::thread([&] { editor->updateParameter(0, 1.0); }).join();
    editor->idle();
    editor->idle();
    EXPECT_EQ(std::vector<double>({1.0, 2.0}), editor->shown);
}
} // namespace
