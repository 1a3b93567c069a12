// What `main` and the attach handler do for a deliverable, with a recording host and failure report.
#include "CRecordingHost.hpp"
#include "foundation/host/CApplication.hpp"
#include "gui/core/CFont.hpp"
#include "tests/support/CClassRegistryKeeper.hpp"
#include "vst/CVstEffect.hpp"
#include "vst/CPluginEntry.hpp"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

using Brivant::GUI::Fonts::CFont;
using Brivant::Host::CApplication;
using Brivant::Vst::CEditionDescription;
using Brivant::Vst::CVstEffect;
using Brivant::Vst::CPluginEntry;

namespace
{
int g_effectsBuilt = 0;
std::vector<std::string> g_reports;

// The least effect of a deliverable's kind: the effect base with an ID of its own.
class CTestEffect : public CVstEffect
{
public:
    explicit CTestEffect(audioMasterCallback host) : CVstEffect(host, 6, 13) { setUniqueID(vstFourCharacters("Test")); }
};

AudioEffect* buildEffect(audioMasterCallback host)
{
    ++g_effectsBuilt;
    return new CTestEffect(host);
}

AudioEffect* failToBuild(audioMasterCallback)
{
    throw std::runtime_error("a framework call failed");
}

AudioEffect* runOutOfMemory(audioMasterCallback)
{
    throw std::bad_alloc();
}

void recordReport(const char* message, const char* caption)
{
    g_reports.push_back(std::string(caption) + "|" + message);
}

class CPluginEntryTest : public ::testing::Test
{
protected:
    CPluginEntryTest()
    {
        g_effectsBuilt = 0;
        g_reports.clear();
    }
    ~CPluginEntryTest() override { CPluginEntry::detach(); }

    VolturaTests::CClassRegistryKeeper m_registry;
    CRecordingHost m_host;
};

TEST_F(CPluginEntryTest, hostThatDoesNotSpeakVst2GetsNoEffect)
{
    m_host.versionAnswer = 0;
    CEditionDescription edition = {"Edition", "Key", buildEffect};
    EXPECT_EQ(nullptr, CPluginEntry::createEffect(CRecordingHost::callback, edition, recordReport));
    EXPECT_EQ(0, g_effectsBuilt);
    ASSERT_EQ(1u, m_host.calls.size());
    EXPECT_EQ(audioMasterVersion, m_host.calls[0].opcode);
    EXPECT_EQ(nullptr, CPluginEntry::createEffect(nullptr, edition, recordReport));
}

TEST_F(CPluginEntryTest, failedConstructionIsReportedAndAnswersNull)
{
    CEditionDescription edition = {"Edition", "Key", failToBuild};
    EXPECT_EQ(nullptr, CPluginEntry::createEffect(CRecordingHost::callback, edition, recordReport));
    ASSERT_EQ(1u, g_reports.size());
    EXPECT_EQ("Exception occurred|Caught exception in main function of Voltura. Cannot continue to load",
              g_reports[0]);
}

TEST_F(CPluginEntryTest, failedAllocationAnswersNullQuietly)
{
    CEditionDescription edition = {"Edition", "Key", runOutOfMemory};
    EXPECT_EQ(nullptr, CPluginEntry::createEffect(CRecordingHost::callback, edition, recordReport));
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(CPluginEntryTest, eachCallBuildsAnIndependentEffect)
{
    CEditionDescription edition = {"Edition", "Key", buildEffect};
    AEffect* first = CPluginEntry::createEffect(CRecordingHost::callback, edition, recordReport);
    AEffect* second = CPluginEntry::createEffect(CRecordingHost::callback, edition, recordReport);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(vstFourCharacters("Test"), first->uniqueID);
    EXPECT_EQ(2, g_effectsBuilt);
    EXPECT_EQ(1, first->dispatcher(first, effClose, 0, 0, nullptr, 0));
    EXPECT_EQ(1, second->dispatcher(second, effClose, 0, 0, nullptr, 0));
}

TEST_F(CPluginEntryTest, attachNamesTheEditionAndDetachForgetsIt)
{
    EXPECT_STREQ(" ", CApplication::getProductName()->getString());
    int module = 0;
    CEditionDescription edition = {"VolturaLite", "Software\\SQA\\VolturaLite", buildEffect};
    CPluginEntry::attach(edition, &module);
    EXPECT_STREQ("VolturaLite", CApplication::getProductName()->getString());
    EXPECT_STREQ("Selvan Quarrow Audio", CApplication::getCompanyName()->getString());
    EXPECT_STREQ("Vst Compressor", CApplication::getDescriptionString()->getString());
    EXPECT_STREQ("1.0.3", CApplication::getVersionString()->getString());
    EXPECT_STREQ("Software\\SQA\\VolturaLite", CApplication::getRegistryKey()->getString());
    EXPECT_EQ(&module, CApplication::getModuleHandle());

    AEffect* effect = CPluginEntry::createEffect(CRecordingHost::callback, edition, recordReport);
    ASSERT_NE(nullptr, effect);
    char name[64] = {};
    EXPECT_EQ(1, effect->dispatcher(effect, effGetEffectName, 0, 0, name, 0));
    EXPECT_STREQ("VolturaLite", name);
    EXPECT_EQ(1, effect->dispatcher(effect, effGetVendorString, 0, 0, name, 0));
    EXPECT_STREQ("Selvan Quarrow Audio", name);
    EXPECT_EQ(1, effect->dispatcher(effect, effGetProductString, 0, 0, name, 0));
    EXPECT_STREQ("Vst Compressor", name);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);

    CPluginEntry::detach();
    EXPECT_STREQ(" ", CApplication::getProductName()->getString());
    EXPECT_STREQ(" ", CApplication::getCompanyName()->getString());
    EXPECT_EQ(nullptr, CApplication::getModuleHandle());
}

TEST_F(CPluginEntryTest, attachMakesNoFontUnderTheLoaderLockAndDetachDropsTheDefaultFont)
{
    CFont::releaseDefaultFont();
    const long fontsBefore = CFont::classRecord().getTotalCount();
    int module = 0;
    CEditionDescription edition = {"VolturaPro", "Software\\SQA\\VolturaPro", buildEffect};
    CPluginEntry::attach(edition, &module);
    EXPECT_EQ(fontsBefore, CFont::classRecord().getTotalCount());

    // Made when first asked for, then gone at detach.
    ASSERT_NE(nullptr, CFont::getDefaultFont());
    EXPECT_EQ(1, CFont::classRecord().getInstanceCount());
    CPluginEntry::detach();
    EXPECT_EQ(0, CFont::classRecord().getInstanceCount());
}
} // namespace
