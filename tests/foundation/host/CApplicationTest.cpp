// CApplication: texts created on first use, the attach and detach of a real library, the folder it was
// loaded from, the processor flags and the FPU report.
#include "foundation/host/CApplication.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CDLLLoader.hpp"
#include "foundation/io/CTextStream.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/gui/core/CImageFiles.hpp"
#include "tests/support/CClassRegistryKeeper.hpp"
#include "tests/support/CProbeLibrary.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <cpuid.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Host::CApplication;
using Brivant::Host::CDLLLoader;
using Brivant::Host::SProcessorFlags;
using Brivant::IO::CTextStream;
using Brivant::Testing::CAllocationFailure;
using VolturaTests::CClassRegistryKeeper;
using VolturaTests::CProbeLibrary;
using VolturaTests::CTemporaryFolder;

using TextGetter = std::function<const CString*()>;

const std::vector<TextGetter>& textGetters()
{
    static const std::vector<TextGetter> getters = {
        CApplication::getCompanyName,  CApplication::getProductName, CApplication::getDescriptionString,
        CApplication::getVersionString, CApplication::getRegistryKey, CApplication::getNoticeString,
        CApplication::getApplicationPath};
    return getters;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

std::string flagsReport(const SProcessorFlags& flags)
{
    auto text = [](bool flag) { return std::string(flag ? "true" : "false"); };
    const std::string rule = "----------------------------------\r\n";
    return "Brivant FPU info extraction tool \r\n" + rule + "Has MMX : " + text(flags.mmx) + "\r\n" +
           "Has SSE : " + text(flags.sse) + "\r\n" + "Has SSE2: " + text(flags.sse2) + "\r\n" +
           "Has SSE3: " + text(flags.sse3) + "\r\n" + "Has HT  : " + text(flags.hyperThreading) + "\r\n" + rule;
}

class CApplicationTest : public ::testing::Test
{
protected:
    ~CApplicationTest() override { CApplication::uninitialiseApplication(nullptr); }

    CClassRegistryKeeper m_registry;
    CTemporaryFolder m_folder;
};

TEST_F(CApplicationTest, everyTextReadsABlankUntilSetAndAfterDetach)
{
    for (const TextGetter& get : textGetters())
        EXPECT_STREQ(" ", get()->getString());
    CApplication::initialiseApplication("Maker", "Product", "Description", "2.0", "Key", "Notice", nullptr);
    EXPECT_STREQ("Maker", CApplication::getCompanyName()->getString());
    EXPECT_STREQ("Notice", CApplication::getNoticeString()->getString());
    CApplication::uninitialiseApplication(nullptr);
    for (const TextGetter& get : textGetters())
        EXPECT_STREQ(" ", get()->getString());
    EXPECT_EQ(nullptr, CApplication::getModuleHandle());
}

TEST_F(CApplicationTest, gettersReturnTheStoredObjectWhichSettersAssignInto)
{
    CString* product = CApplication::getProductName();
    EXPECT_EQ(product, CApplication::getProductName());
    CApplication::setProductName(CString("Renamed"));
    EXPECT_EQ(product, CApplication::getProductName());
    EXPECT_STREQ("Renamed", product->getString());

    CApplication::setApplicationPath(CSystemString("C:\\Plugins"));
    EXPECT_STREQ("C:\\Plugins", CApplication::getApplicationPath()->getString());
    EXPECT_STREQ("CSystemString", CApplication::getApplicationPath()->getClass().getClassName());

    CApplication::deleteApplicationInformation();
    CApplication::setVersionString(CString("3"));
    EXPECT_STREQ("3", CApplication::getVersionString()->getString()) << "a setter creates the text it needs";
    EXPECT_STREQ(" ", CApplication::getProductName()->getString());
}

TEST_F(CApplicationTest, aTextThatCannotBeAllocatedReadsNullUntilItCanBe)
{
    CApplication::deleteApplicationInformation();
    CAllocationFailure::failAt(1);
    const CString* failed = CApplication::getCompanyName();
    CAllocationFailure::disarm();
    EXPECT_EQ(nullptr, failed);
    ASSERT_NE(nullptr, CApplication::getCompanyName());
    EXPECT_STREQ(" ", CApplication::getCompanyName()->getString());
}

TEST_F(CApplicationTest, theApplicationPathIsTheFolderOfTheLibrary)
{
    const std::string library = m_folder.file("Hosts\\Plugins\\Edition.dll");
    ASSERT_TRUE(CProbeLibrary::copyTo(library));
    CDLLLoader loader(CString(library.c_str()));
    void* module = GetModuleHandleA(library.c_str());
    ASSERT_NE(nullptr, module);

    CApplication::initialiseApplication("Maker", "Product", "Description", "2.0", "Key", "Notice", module);
    EXPECT_EQ(module, CApplication::getModuleHandle());
    CString modulePath("");
    CApplication::getModulePath(modulePath);
    EXPECT_TRUE(CSystemString(modulePath).endsWith("\\Hosts\\Plugins\\Edition.dll")) << modulePath.getString();
    EXPECT_EQ(folderOf(modulePath.getString()), CApplication::getApplicationPath()->getString());
    EXPECT_TRUE(CApplication::getApplicationPath()->endsWith("\\Hosts\\Plugins"));
    CApplication::uninitialiseApplication(nullptr);
}

TEST_F(CApplicationTest, withoutAModuleThePathsAreTheHostPrograms)
{
    CString executable("");
    CApplication::getExecutablePath(executable);
    EXPECT_TRUE(CSystemString(executable).endsWith("\\foundation_tests.exe")) << executable.getString();
    CApplication::initialiseApplication("Maker", "Product", "Description", "2.0", "Key", "Notice", nullptr);
    EXPECT_EQ(folderOf(executable.getString()), CApplication::getApplicationPath()->getString());
}

TEST_F(CApplicationTest, aDeliverablesAttachNamesItAndDetachForgetsIt)
{
    const std::string library = m_folder.file("Hosts\\Plugins\\Edition.dll");
    ASSERT_TRUE(CProbeLibrary::copyTo(library));
    CDLLLoader loader(CString(library.c_str()));
    auto readText = reinterpret_cast<CProbeLibrary::TextReader>(
        loader.getFunctionAddress(CString("probeApplicationText")));
    auto detach = reinterpret_cast<CProbeLibrary::Detach>(loader.getFunctionAddress(CString("probeDetach")));
    ASSERT_NE(nullptr, readText);
    ASSERT_NE(nullptr, detach);
    auto text = [&](int which) {
        char buffer[512] = {};
        EXPECT_TRUE(readText(which, buffer, sizeof(buffer)));
        return std::string(buffer);
    };

    EXPECT_EQ("Selvan Quarrow Audio", text(0));
    EXPECT_EQ(CProbeLibrary::kProductName, text(1));
    EXPECT_EQ("Vst Compressor", text(2));
    EXPECT_EQ("1.0.3", text(3));
    EXPECT_EQ("Software\\SQA\\Probe", text(4));
    EXPECT_EQ(folderOf(library), text(6));

    detach();
    for (int which = 0; which <= 6; ++which)
        EXPECT_EQ(" ", text(which)) << which;
    EXPECT_STREQ(" ", CApplication::getProductName()->getString()) << "the library's record is its own";
}

TEST_F(CApplicationTest, aLibraryNamedOutsideTheCodePageLoadsTheImagesBesideIt)
{
    // Cyrillic has no form in a Western code page, and Japanese none in a Cyrillic one.
    const std::wstring foreign = GetACP() == 1251 ? L"\u30d7\u30e9\u30b0\u30a4\u30f3"
                                                  : L"\u041f\u043b\u0430\u0433\u0438\u043d\u044b";
    // The folder and the file name: each outside the code page alone, then both.
    const std::pair<std::wstring, std::wstring> namings[] = {
        {foreign, L"Edition.dll"}, {L"plugin", foreign + L".dll"}, {foreign, foreign + L".dll"}};
    int index = 0;
    for (const auto& [folder, file] : namings)
    {
        const std::string parent = m_folder.file(std::to_string(++index) + "\\");
        SCOPED_TRACE(parent);
        ASSERT_TRUE(CProbeLibrary::copyTo(parent + "staged\\Staged.dll"));
        ASSERT_TRUE(CreateDirectoryA((parent + "staged\\Resources").c_str(), nullptr));
        ASSERT_TRUE(VolturaTests::writePng(parent + "staged\\Resources\\dot.png", 1, 1,
                                           [](long, long) { return 0u; }));
        // Renamed last, as the helpers above take ANSI names.
        const std::wstring wide(parent.begin(), parent.end());
        ASSERT_TRUE(MoveFileW((wide + L"staged\\Staged.dll").c_str(), (wide + L"staged\\" + file).c_str()));
        ASSERT_TRUE(MoveFileW((wide + L"staged").c_str(), (wide + folder).c_str()));

        HMODULE library = LoadLibraryW((wide + folder + L"\\" + file).c_str());
        ASSERT_NE(nullptr, library);
        EXPECT_TRUE(reinterpret_cast<CProbeLibrary::ImageLoader>(
            reinterpret_cast<void*>(GetProcAddress(library, "probeLoadsImage")))("dot.png"));
        FreeLibrary(library);
    }
}

TEST_F(CApplicationTest, uninitialisingWithAPathWritesTheClassTable)
{
    const std::string table = m_folder.file("classes.txt");
    CApplication::setProductName(CString("Product"));
    CApplication::uninitialiseApplication(table.c_str());
    EXPECT_EQ(0u, CTemporaryFolder::readBytes(table).find("+---")) << CTemporaryFolder::readBytes(table);
    EXPECT_STREQ(" ", CApplication::getProductName()->getString());
}

TEST_F(CApplicationTest, processorFlagsDecodeTheirBits)
{
    const SProcessorFlags none = CApplication::decodeProcessorFlags(0u, ~((1u << 23) | (1u << 25) | (1u << 26) |
                                                                          (1u << 28)));
    EXPECT_FALSE(none.mmx || none.sse || none.sse2 || none.sse3 || none.hyperThreading);
    EXPECT_FALSE(CApplication::decodeProcessorFlags(~0x10000001u, 0u).sse3);

    EXPECT_TRUE(CApplication::decodeProcessorFlags(1u << 28, 0u).sse3) << "bit 28 alone";
    EXPECT_TRUE(CApplication::decodeProcessorFlags(1u, 0u).sse3) << "bit 0 alone";
    EXPECT_TRUE(CApplication::decodeProcessorFlags(0u, 1u << 23).mmx);
    EXPECT_TRUE(CApplication::decodeProcessorFlags(0u, 1u << 25).sse);
    EXPECT_TRUE(CApplication::decodeProcessorFlags(0u, 1u << 26).sse2);
    EXPECT_TRUE(CApplication::decodeProcessorFlags(0u, 1u << 28).hyperThreading);
    const SProcessorFlags sse2Only = CApplication::decodeProcessorFlags(0u, 1u << 26);
    EXPECT_FALSE(sse2Only.mmx || sse2Only.sse || sse2Only.sse3 || sse2Only.hyperThreading);
}

TEST_F(CApplicationTest, attachReadsTheFlagsOfThisProcessor)
{
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    ASSERT_NE(0, __get_cpuid(1, &eax, &ebx, &ecx, &edx));
    CApplication::initialiseApplication("Maker", "Product", "Description", "2.0", "Key", "Notice", nullptr);
    const SProcessorFlags expected = CApplication::decodeProcessorFlags(ecx, edx);
    const SProcessorFlags read = CApplication::getProcessorFlags();
    EXPECT_EQ(flagsReport(expected), flagsReport(read));
    EXPECT_TRUE(read.sse2) << "every x86-64 processor has SSE2";
}

TEST_F(CApplicationTest, theFpuReportGoesToTheFolderOrTheFileGiven)
{
    CApplication::readFPUInformation();
    const std::string expected = flagsReport(CApplication::getProcessorFlags());

    CApplication::writeFPUInformationToFile(CSystemString((m_folder.path() + "\\").c_str()));
    EXPECT_EQ(expected, CTemporaryFolder::readBytes(m_folder.file("FPUStats.txt")));
    CApplication::writeFPUInformationToFile(CSystemString(m_folder.file("cpu.txt").c_str()));
    EXPECT_EQ(expected, CTemporaryFolder::readBytes(m_folder.file("cpu.txt")));
}

TEST_F(CApplicationTest, theFpuReportNeedsAStreamOpenForWriting)
{
    const std::string file = m_folder.file("kept.txt");
    CTemporaryFolder::writeBytes(file, "kept\n");
    CTextStream reader(CSystemString(file.c_str()), CTextStream::kReading);
    CApplication::writeFPUInformation(reader);
    CTextStream closed;
    CApplication::writeFPUInformation(closed);
    EXPECT_EQ("kept\n", CTemporaryFolder::readBytes(file));
}

TEST_F(CApplicationTest, theMessageLoopEndsWithTheQuitMessageAndAnswersItsCode)
{
    CApplication::quitApplication();
    EXPECT_EQ(0, CApplication::runMessageLoop());
    PostQuitMessage(7);
    EXPECT_EQ(7, CApplication::runMessageLoop());
}
} // namespace
