// Both deliverables in a host that loads a project or renders offline: several threads make, start, process,
// stop and close instances at once, each through the library's own main, with nothing serialising them.
#include "vst/VstProtocol.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace
{
typedef AEffect*(VSTCALLBACK* PluginEntryProc)(audioMasterCallback host);

struct SEdition
{
    const char* name;
    const char* path;
};

void PrintTo(const SEdition& edition, std::ostream* stream)
{
    *stream << edition.name;
}

constexpr int kThreads = 8;
// Rounds of one instance per thread; enough that windows shown or effects lost show in most runs before the
// instances were made safe to build on several threads.
constexpr long kRounds = 24;
constexpr VstInt32 kBlockSize = 64;
constexpr int kBlocks = 4;

// A host that answers only its version: the effects ask nothing else they cannot do without.
VstIntPtr VSTCALLBACK hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                                   void* /*ptr*/, float /*opt*/)
{
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

// What one thread saw go wrong.
struct SFaults
{
    long refused = 0;
    long shownUnasked = 0;
    long unfinished = 0;
};

BOOL CALLBACK countVisible(HWND window, LPARAM count)
{
    if (IsWindowVisible(window))
        ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// Holds each thread until all have come, round after round, so that every round's instances are made at once.
class CRoundStart
{
public:
    explicit CRoundStart(int threads) : m_threads(threads) {}

    void arrive()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        const long round = m_round;
        if (++m_arrived == m_threads)
        {
            m_arrived = 0;
            ++m_round;
            m_next.notify_all();
            return;
        }
        m_next.wait(lock, [&] { return m_round != round; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_next;
    const int m_threads;
    int m_arrived = 0;
    long m_round = 0;
};

// One host thread's life with one instance, as a host starts and ends it around a few blocks.
void playInstance(PluginEntryProc entry, SFaults& faults)
{
    AEffect* effect = entry(&hostCallback);
    if (effect == nullptr)
    {
        ++faults.refused;
        return;
    }
    // Nothing of the editor shows before the host opens it.
    long visible = 0;
    EnumThreadWindows(GetCurrentThreadId(), &countVisible, reinterpret_cast<LPARAM>(&visible));
    faults.shownUnasked += visible;
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, kBlockSize, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<std::vector<float>> inputs(static_cast<size_t>(effect->numInputs),
                                           std::vector<float>(kBlockSize, 0.25f));
    std::vector<std::vector<float>> outputs(static_cast<size_t>(effect->numOutputs),
                                            std::vector<float>(kBlockSize, NAN));
    std::vector<float*> in;
    std::vector<float*> out;
    for (auto& channel : inputs)
        in.push_back(channel.data());
    for (auto& channel : outputs)
        out.push_back(channel.data());
    for (int block = 0; block < kBlocks; ++block)
        effect->processReplacing(effect, in.data(), out.data(), kBlockSize);
    for (const auto& channel : outputs)
        for (float sample : channel)
            if (!std::isfinite(sample))
            {
                ++faults.unfinished;
                break;
            }
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

class ConcurrentInstancesTest : public ::testing::TestWithParam<SEdition>
{
};

TEST_P(ConcurrentInstancesTest, instancesMadeUsedAndClosedOnSeveralThreadsAtOnceAllWork)
{
    HMODULE module = LoadLibraryA(GetParam().path);
    ASSERT_NE(nullptr, module) << GetParam().path;
    auto entry = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void (*)()>(GetProcAddress(module, "main")));
    ASSERT_NE(nullptr, entry);

    std::vector<SFaults> faults(kThreads);
    CRoundStart start(kThreads);
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread)
        threads.emplace_back([&, thread] {
            for (long round = 0; round < kRounds; ++round)
            {
                start.arrive();
                playInstance(entry, faults[static_cast<size_t>(thread)]);
            }
        });
    for (auto& thread : threads)
        thread.join();

    SFaults all;
    for (const SFaults& seen : faults)
    {
        all.refused += seen.refused;
        all.shownUnasked += seen.shownUnasked;
        all.unfinished += seen.unfinished;
    }
    EXPECT_EQ(0, all.refused) << "effects refused of " << kThreads * kRounds;
    EXPECT_EQ(0, all.shownUnasked) << "windows shown by main";
    EXPECT_EQ(0, all.unfinished) << "effects whose output was not all finite";
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Editions, ConcurrentInstancesTest,
                         ::testing::Values(SEdition{"VolturaPro", VOLTURA_PRO}, SEdition{"VolturaLite", VOLTURA_LITE}),
                         [](const ::testing::TestParamInfo<SEdition>& info) { return std::string(info.param.name); });
} // namespace
