// Both deliverables as a host short of memory meets them: a whole life of one effect (main, start, blocks, the
// editor opened in a host window, idle, closed, stop, effClose) with the k-th allocation the library asks the C
// runtime for answered null, for each k up to the life's count. The library is unchanged: the host points its
// imports at a counter. Every k on the 32-bit Lite, a sample of the rest; VOLTURA_ALLOCATION_SWEEP=full plays
// every k everywhere.
#include "tools/testhost/CAllocationFaults.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace
{
struct SEdition
{
    const char* name;
    const char* path;
};

void PrintTo(const SEdition& edition, std::ostream* stream) { *stream << edition.name; }

const SEdition kPro = {"VolturaPro", VOLTURA_PRO};
const SEdition kLite = {"VolturaLite", VOLTURA_LITE};

// A crash ends the program; the allocation that led to it is what the reader needs.
const char* s_playing = "";
long s_failure = 0;

void reportCrash()
{
    std::fprintf(stderr, "\n%s crashed with allocation %ld failing\n", s_playing, s_failure);
    std::fflush(stderr);
}

// Ends the program at once: Wine would start its debugger and wait.
LONG WINAPI crashed(EXCEPTION_POINTERS*)
{
    reportCrash();
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

void aborted(int)
{
    reportCrash();
    std::_Exit(3);
}

struct SLife
{
    bool made = false;
    // Each allocation import and the message box were found and pointed at the counter.
    bool patched = false;
    // Every block the effect processed came out finite, before and after the editor.
    bool processed = true;
    bool editorOpened = false;
    long allocations = 0;
    size_t blocks = 0;
    size_t bytes = 0;
    long messageBoxes = 0;
};

void processBlocks(CTestHost& host, SLife& life, int count)
{
    const VstInt32 frames = 64;
    std::vector<std::vector<float>> inputs(static_cast<size_t>(host.effect()->numInputs),
                                           std::vector<float>(frames, 0.25f));
    std::vector<std::vector<float>> outputs;
    for (int block = 0; block < count; ++block)
    {
        life.processed = life.processed && host.process(inputs, outputs, frames);
        for (const auto& channel : outputs)
            for (float sample : channel)
                life.processed = life.processed && std::isfinite(sample);
    }
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The host's shown window: each life opens its editor in a frame of its own inside it, since Wine waits a while
// for each shown top-level window that goes.
HWND s_hostWindow = nullptr;

void openEditor(CTestHost& host, SLife& life)
{
    ERect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    const int width = rect != nullptr ? rect->right - rect->left : 0;
    const int height = rect != nullptr ? rect->bottom - rect->top : 0;
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, width, height, s_hostWindow, nullptr,
                                 nullptr, nullptr);
    life.editorOpened = host.dispatch(effEditOpen, 0, 0, frame) != 0;
    if (life.editorOpened)
    {
        RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        pumpMessages();
        host.dispatch(effEditIdle);
        processBlocks(host, life, 1);
        host.dispatch(effEditClose);
    }
    DestroyWindow(frame);
    pumpMessages();
}

SLife live(const SEdition& edition, long failure)
{
    s_playing = edition.name;
    s_failure = failure;
    SLife life;
    CAllocationFaults faults;
    CTestHost host;
    host.setBeforeEntry([&faults, failure](void* module) {
        faults.watch(module);
        faults.failAt(failure);
    });
    std::string error;
    life.made = host.load(edition.path, error);
    if (life.made)
    {
        host.start(44100.0f, 64);
        processBlocks(host, life, 2);
        openEditor(host, life);
        processBlocks(host, life, 1);
        host.stop();
        host.dispatch(effClose);
    }
    const std::vector<bool> patched = faults.patched();
    life.patched = !patched.empty() && std::find(patched.begin(), patched.end(), false) == patched.end();
    life.allocations = faults.allocations();
    life.blocks = faults.liveBlocks();
    life.bytes = faults.liveBytes();
    life.messageBoxes = faults.messageBoxes();
    faults.stopWatching();
    host.unload();
    return life;
}

bool fullSweep()
{
    const char* sweep = std::getenv("VOLTURA_ALLOCATION_SWEEP");
    return sweep != nullptr && std::strcmp(sweep, "full") == 0;
}

// The library stays loaded for the whole sweep, as a host keeps it: what it makes once for the process (the
// unwinder's table of its frames at its first exception among them) is made by the two first lives, one whole and
// one that fails at once, and is no block left by the lives after them.
class AllocationFailureTest : public ::testing::TestWithParam<SEdition>
{
protected:
    void SetUp() override
    {
        SetUnhandledExceptionFilter(&crashed);
        std::signal(SIGABRT, &aborted);
        m_library = LoadLibraryA(GetParam().path);
        ASSERT_NE(nullptr, m_library);
        s_hostWindow = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                                       nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, s_hostWindow);
        live(GetParam(), 0);
        live(GetParam(), 1);
    }
    void TearDown() override
    {
        if (s_hostWindow != nullptr)
            DestroyWindow(s_hostWindow);
        s_hostWindow = nullptr;
        if (m_library != nullptr)
            FreeLibrary(m_library);
        SetUnhandledExceptionFilter(nullptr);
        std::signal(SIGABRT, SIG_DFL);
    }

    HMODULE m_library = nullptr;
};

TEST_P(AllocationFailureTest, everyAllocationFailsInTurn)
{
    const SEdition& edition = GetParam();
    const SLife whole = live(edition, 0);
    ASSERT_TRUE(whole.patched) << "the library imports each allocation function and the message box";
    ASSERT_TRUE(whole.made && whole.processed && whole.editorOpened) << "without a failure the effect works";
    EXPECT_EQ(0u, whole.blocks) << whole.bytes << " bytes left without a failure";
    EXPECT_GT(whole.allocations, 100) << "the counter sees the library's allocations";

    const bool every = fullSweep() || (sizeof(void*) == 4 && std::strcmp(edition.name, kLite.name) == 0);
    // A sample spreads over the life and ends with its last allocation.
    std::vector<long> failures;
    for (long failure = 1; failure <= whole.allocations; failure += every ? 1 : 13)
        failures.push_back(failure);
    if (failures.back() != whole.allocations)
        failures.push_back(whole.allocations);
    long made = 0;
    long messageBoxes = 0;
    for (long failure : failures)
    {
        const SLife life = live(edition, failure);
        made += life.made ? 1 : 0;
        messageBoxes += life.messageBoxes;
        EXPECT_TRUE(life.processed) << "allocation " << failure;
        EXPECT_EQ(0u, life.blocks) << "allocation " << failure << ": " << life.bytes << " bytes left";
    }
    std::printf("%s: %ld allocations in a life; %ld failures played, %ld with an effect, %ld message boxes\n",
                edition.name, whole.allocations, static_cast<long>(failures.size()), made, messageBoxes);
}

INSTANTIATE_TEST_SUITE_P(Editions, AllocationFailureTest, ::testing::Values(kPro, kLite),
                         [](const ::testing::TestParamInfo<SEdition>& info) { return std::string(info.param.name); });
} // namespace
