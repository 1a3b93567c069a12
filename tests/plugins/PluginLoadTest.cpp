// Both deliverables as a host meets them: the built DLLs loaded through the test host, their record, their
// dispatcher's answers and what each file exports and imports.
#include "tools/testhost/CPeImage.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace
{
struct SEdition
{
    const char* name;
    // The build's own library, the one its tests load; both builds' files are inspected.
    const char* path;
    const char* path64;
    const char* path32;
    const char* uniqueId;
    VstInt32 inputs;
    VstInt32 parameters;
    VstInt32 programs;
    // The Default program's output gain: Lite's master stage sits 2 dB above the 0 dB it shows.
    double defaultGainDb;
};

void PrintTo(const SEdition& edition, std::ostream* stream)
{
    *stream << edition.name;
}

const SEdition kPro = {"VolturaPro", VOLTURA_PRO, VOLTURA_PRO64, VOLTURA_PRO32, "Sqa1", 4, 16, 10, 0.0};
const SEdition kLite = {"VolturaLite", VOLTURA_LITE, VOLTURA_LITE64, VOLTURA_LITE32, "Sqa2", 2, 6, 13, 2.0};

std::string fourCharacters(VstInt32 id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += static_cast<char>((id >> shift) & 0xFF);
    return text;
}

class PluginLoadTest : public ::testing::TestWithParam<SEdition>
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_host.load(GetParam().path, error)) << error;
    }

    CTestHost m_host;
};

TEST_P(PluginLoadTest, recordHasTheEditionsShape)
{
    const SEdition& edition = GetParam();
    AEffect* effect = m_host.effect();
    EXPECT_EQ(fourCharacters(effect->magic), "VstP");
    EXPECT_EQ(fourCharacters(effect->uniqueID), edition.uniqueId);
    EXPECT_EQ(edition.inputs, effect->numInputs);
    EXPECT_EQ(2, effect->numOutputs);
    EXPECT_EQ(edition.parameters, effect->numParams);
    EXPECT_EQ(edition.programs, effect->numPrograms);
    EXPECT_EQ(16, effect->initialDelay);
    EXPECT_EQ(effFlagsCanReplacing, effect->flags & ~effFlagsHasEditor);
    EXPECT_EQ(0, effect->flags & (effFlagsProgramChunks | effFlagsIsSynth | effFlagsCanDoubleReplacing));
    EXPECT_FLOAT_EQ(1.0f, effect->ioRatio);
    EXPECT_NE(nullptr, effect->processReplacing);
}

TEST_P(PluginLoadTest, buildingAsksVersionCapabilitiesThenTheHostsNames)
{
    const std::vector<std::string> capabilities = {
        "sendVstEvents",   "sendVstMidiEvent", "sendVstTimeInfo",         "receiveVstEvents",
        "receiveVstMidiEvent", "receiveVstTimeInfo", "reportConnectionChanges", "acceptIOChanges",
        "sizeWindow",      "asyncProcessing",  "offline",                 "supplyIdle",
        "supportShell",    "editFile",         "closeFileSelector",       "startStopProcess"};
    std::vector<CTestHost::SHostCall> calls = m_host.calls();
    ASSERT_EQ(capabilities.size() + 4, calls.size());
    EXPECT_EQ(audioMasterVersion, calls[0].opcode);
    for (size_t i = 0; i < capabilities.size(); ++i)
    {
        EXPECT_EQ(audioMasterCanDo, calls[i + 1].opcode);
        EXPECT_EQ(capabilities[i], calls[i + 1].text);
    }
    EXPECT_EQ(audioMasterGetProductString, calls[17].opcode);
    EXPECT_EQ(audioMasterGetVendorString, calls[18].opcode);
    EXPECT_EQ(audioMasterGetVendorVersion, calls[19].opcode);
}

TEST_P(PluginLoadTest, namesComeFromTheApplicationInformation)
{
    EXPECT_EQ(GetParam().name, m_host.queryString(effGetEffectName).text);
    EXPECT_EQ("Selvan Quarrow Audio", m_host.queryString(effGetVendorString).text);
    EXPECT_EQ("Vst Compressor", m_host.queryString(effGetProductString).text);
    EXPECT_EQ(1, m_host.queryString(effGetEffectName).result);
    EXPECT_EQ(0, m_host.dispatch(effGetVendorVersion));
}

TEST_P(PluginLoadTest, protocolAnswersOfThisSystem)
{
    EXPECT_EQ(2400, m_host.dispatch(effGetVstVersion));
    EXPECT_EQ(0x4E764566, m_host.dispatch(effIdentify));
    EXPECT_EQ(0, m_host.dispatch(effGetPlugCategory));
    void* chunk = nullptr;
    EXPECT_EQ(0, m_host.dispatch(effGetChunk, 0, 0, &chunk));
    EXPECT_EQ(1, m_host.dispatch(effGetNumMidiInputChannels));
    EXPECT_EQ(0, m_host.dispatch(effGetNumMidiOutputChannels));
    EXPECT_EQ(1, m_host.dispatch(effCanBeAutomated, GetParam().parameters - 1));
    char unknown[] = "doSomethingUnheardOf";
    EXPECT_LE(m_host.dispatch(effCanDo, 0, 0, unknown), 0);
}

TEST_P(PluginLoadTest, nullPointersAndBadIndexesAnswerZero)
{
    const SEdition& edition = GetParam();
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
    {
        CTestHost::SStringReply reply = m_host.queryString(opcode, edition.parameters);
        EXPECT_EQ(0, reply.result);
        EXPECT_EQ(std::string(CTestHost::kStringBufferSize, CTestHost::kStringSentinel), reply.text)
            << "opcode " << opcode << " wrote for a parameter that does not exist";
        EXPECT_EQ(0, m_host.dispatch(opcode, 0, 0, nullptr));
    }
    CTestHost::SStringReply program = m_host.queryString(effGetProgramNameIndexed, edition.programs);
    EXPECT_EQ(0, program.result);
    EXPECT_EQ(CTestHost::kStringSentinel, program.text[0]);
    EXPECT_EQ(0, m_host.dispatch(effGetProgramNameIndexed, -1, 0, nullptr));
    EXPECT_EQ(0, m_host.dispatch(effCanBeAutomated, edition.parameters));
    EXPECT_EQ(0, m_host.dispatch(effCanDo, 0, 0, nullptr));
    EXPECT_EQ(0, m_host.dispatch(effProcessEvents, 0, 0, nullptr));
    EXPECT_EQ(0, m_host.dispatch(effGetEffectName, 0, 0, nullptr));
    VstPinProperties pin{};
    EXPECT_EQ(0, m_host.dispatch(effGetInputProperties, edition.inputs, 0, &pin));
    EXPECT_EQ(0, m_host.dispatch(effGetOutputProperties, 2, 0, &pin));

    VstInt32 before = static_cast<VstInt32>(m_host.dispatch(effGetProgram));
    m_host.dispatch(effSetProgram, 0, edition.programs);
    m_host.dispatch(effSetProgram, 0, -1);
    EXPECT_EQ(before, m_host.dispatch(effGetProgram));
    EXPECT_FLOAT_EQ(0.0f, m_host.effect()->getParameter(m_host.effect(), edition.parameters));
}

TEST_P(PluginLoadTest, everyParameterAndProgramHasTerminatedTexts)
{
    const SEdition& edition = GetParam();
    for (VstInt32 index = 0; index < edition.parameters; ++index)
        for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_TRUE(m_host.queryString(opcode, index, 24).terminatedWithin) << opcode << " " << index;
    for (VstInt32 index = 0; index < edition.programs; ++index)
    {
        CTestHost::SStringReply name = m_host.queryString(effGetProgramNameIndexed, index, 24);
        EXPECT_EQ(1, name.result);
        EXPECT_TRUE(name.terminatedWithin);
        EXPECT_FALSE(name.text.empty());
    }
}

TEST_P(PluginLoadTest, defaultProgramPassesAudioThroughTheDelayRing)
{
    m_host.start(44100.0f, 256);
    std::vector<std::vector<float>> signal(2, std::vector<float>(1000));
    for (size_t i = 0; i < signal[0].size(); ++i)
    {
        signal[0][i] = 0.5f * static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
        signal[1][i] = 0.25f * static_cast<float>(std::cos(0.031 * static_cast<double>(i)));
    }
    std::vector<std::vector<float>> output = m_host.render(signal);
    m_host.stop();
    ASSERT_EQ(2u, output.size());
    const double gain = std::pow(10.0, GetParam().defaultGainDb / 20.0);
    const size_t latency = static_cast<size_t>(m_host.effect()->initialDelay);
    for (size_t channel = 0; channel < 2; ++channel)
    {
        for (size_t i = 0; i < latency; ++i)
            EXPECT_EQ(0.0f, output[channel][i]) << "channel " << channel << " frame " << i;
        for (size_t i = latency; i < signal[channel].size(); ++i)
            ASSERT_EQ(static_cast<float>(signal[channel][i - latency] * gain), output[channel][i])
                << "channel " << channel << " frame " << i;
    }
}

TEST_P(PluginLoadTest, closeReleasesTheEffect)
{
    EXPECT_EQ(1, m_host.dispatch(effClose));
    EXPECT_EQ(nullptr, m_host.effect());
}

INSTANTIATE_TEST_SUITE_P(Editions, PluginLoadTest, ::testing::Values(kPro, kLite),
                         [](const ::testing::TestParamInfo<SEdition>& info) { return std::string(info.param.name); });

class PluginLibraryTest : public ::testing::TestWithParam<SEdition>
{
};

TEST_P(PluginLibraryTest, hostWithoutVst2GetsNoEffect)
{
    CTestHost host;
    host.setHostVersion(0);
    std::string error;
    EXPECT_FALSE(host.load(GetParam().path, error));
    EXPECT_EQ(nullptr, host.effect());
    std::vector<CTestHost::SHostCall> calls = host.calls();
    ASSERT_EQ(1u, calls.size()) << "main asks the version and nothing else";
    EXPECT_EQ(audioMasterVersion, calls[0].opcode);
}

TEST_P(PluginLibraryTest, libraryAttachesAndDetachesWithoutMain)
{
    CTestHost host;
    std::string error;
    ASSERT_TRUE(host.loadLibraryOnly(GetParam().path, error)) << error;
    host.unload();
    EXPECT_FALSE(host.isLibraryLoaded());
    EXPECT_TRUE(host.calls().empty());
    // A second load after the unload must find the library in its initial state.
    ASSERT_TRUE(host.load(GetParam().path, error)) << error;
    EXPECT_EQ(GetParam().name, host.queryString(effGetEffectName).text);
}

// The process's open handles, looked for one by one (Wine's handle count answers 0), and its heaps' bytes.
std::pair<long, long long> processUse()
{
    std::pair<long, long long> use(0, 0);
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        use.first += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    HANDLE heaps[64];
    const DWORD heapCount = GetProcessHeaps(64, heaps);
    for (DWORD index = 0; index < heapCount && index < 64; ++index)
    {
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[index], &entry))
            use.second += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0 ? entry.cbData : 0;
    }
    return use;
}

// A host scanning its plug-in folder loads and frees each library again and again, with or without an
// effect; the first load may bring in system libraries that stay.
TEST_P(PluginLibraryTest, loadingAndFreeingAgainAndAgainLeavesNothingBehind)
{
    for (const bool withEffect : {false, true})
    {
        std::pair<long, long long> before;
        for (int cycle = 0; cycle <= 20; ++cycle)
        {
            if (cycle == 1)
                before = processUse();
            CTestHost host;
            std::string error;
            const std::string& path = GetParam().path;
            EXPECT_TRUE(withEffect ? host.load(path, error) : host.loadLibraryOnly(path, error)) << error;
            host.unload();
        }
        const std::pair<long, long long> after = processUse();
        EXPECT_EQ(before.first, after.first) << withEffect;
        // The 32-bit threads library keeps 224 bytes of freed thread records per load, out of our reach.
        EXPECT_LT(after.second - before.second, 20 * 256) << withEffect;
    }
}

TEST_P(PluginLibraryTest, twoEffectsFromOneLibraryAreIndependent)
{
    CTestHost first;
    CTestHost second;
    std::string error;
    ASSERT_TRUE(first.load(GetParam().path, error)) << error;
    ASSERT_TRUE(second.load(GetParam().path, error)) << error;
    EXPECT_NE(first.effect(), second.effect());
    first.effect()->setParameter(first.effect(), 0, 0.25f);
    second.effect()->setParameter(second.effect(), 0, 0.75f);
    EXPECT_FLOAT_EQ(0.25f, first.effect()->getParameter(first.effect(), 0));
    EXPECT_FLOAT_EQ(0.75f, second.effect()->getParameter(second.effect(), 0));
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Libraries every Windows installation has; the DLL must carry everything else inside itself.
void expectOnlyMainAndSystemImports(const std::string& path, bool is64Bit)
{
    static const std::set<std::string> kSystem = {"kernel32.dll", "user32.dll",   "gdi32.dll",   "gdiplus.dll",
                                                  "msimg32.dll",  "shell32.dll",  "shlwapi.dll", "comdlg32.dll",
                                                  "ole32.dll",    "advapi32.dll", "msvcrt.dll"};
    CPeImage image;
    std::string error;
    ASSERT_TRUE(image.read(path, error)) << path << ": " << error;
    EXPECT_EQ(is64Bit, image.is64Bit()) << path;
    EXPECT_EQ(is64Bit ? 0x8664 : 0x14C, image.machine()) << path;
    EXPECT_EQ(std::vector<std::string>{"main"}, image.exports()) << path;
    EXPECT_FALSE(image.imports().empty()) << path;
    for (const std::string& import : image.imports())
        EXPECT_EQ(1u, kSystem.count(lowerCase(import))) << path << " imports " << import;
}

TEST_P(PluginLibraryTest, bothBuildsExportOnlyMainAndImportOnlySystemLibraries)
{
    expectOnlyMainAndSystemImports(GetParam().path64, true);
    expectOnlyMainAndSystemImports(GetParam().path32, false);
}

INSTANTIATE_TEST_SUITE_P(Editions, PluginLibraryTest, ::testing::Values(kPro, kLite),
                         [](const ::testing::TestParamInfo<SEdition>& info) { return std::string(info.param.name); });
} // namespace
