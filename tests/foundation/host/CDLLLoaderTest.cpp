// CDLLLoader: the error for a missing file, symbols, and every library it held being freed.
#include "foundation/host/CDLLLoader.hpp"

#include "foundation/exceptions/CException.hpp"
#include "tests/support/CProbeLibrary.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Exceptions::CException;
using Brivant::Host::CDLLLoader;
using VolturaTests::CProbeLibrary;
using VolturaTests::CTemporaryFolder;

class CDLLLoaderTest : public ::testing::Test
{
protected:
    CDLLLoaderTest()
    {
        EXPECT_TRUE(CProbeLibrary::copyTo(m_first)) << CProbeLibrary::builtPath();
        EXPECT_TRUE(CProbeLibrary::copyTo(m_second));
    }

    // The text and function name of what loading path throws; empty when nothing is thrown.
    static std::string failureOf(const std::string& path)
    {
        CDLLLoader loader;
        try
        {
            loader.loadDll(CString(path.c_str()));
        }
        catch (const CException& failure)
        {
            return std::string(failure.getErrorReason().getString()) + "|" + failure.getFunctionName().getString();
        }
        return "";
    }

    CTemporaryFolder m_folder;
    const std::string m_first = m_folder.file("first.dll");
    const std::string m_second = m_folder.file("second.dll");
};

TEST_F(CDLLLoaderTest, aMissingFileOrAFolderThrowsNamingThePath)
{
    const std::string missing = m_folder.file("missing.dll");
    EXPECT_EQ(missing + " doesnt exist|CDLLLoader::loadDll(const CString &)", failureOf(missing));
    EXPECT_EQ(m_folder.path() + " doesnt exist|CDLLLoader::loadDll(const CString &)", failureOf(m_folder.path()));
    EXPECT_THROW(CDLLLoader(CString(missing.c_str())), CException);
}

TEST_F(CDLLLoaderTest, findsTheLibrarysSymbolsAndNothingElse)
{
    CDLLLoader loader(CString(m_first.c_str()));
    EXPECT_TRUE(CProbeLibrary::isLoaded(m_first));
    EXPECT_NE(nullptr, loader.getFunctionAddress(CString("probeApplicationText")));
    EXPECT_EQ(nullptr, loader.getFunctionAddress(CString("noSuchFunction")));
    loader.unloadDll();
    EXPECT_FALSE(CProbeLibrary::isLoaded(m_first));
    EXPECT_EQ(nullptr, loader.getFunctionAddress(CString("probeApplicationText")));
    loader.unloadDll();

    const CDLLLoader empty;
    EXPECT_EQ(nullptr, empty.getFunctionAddress(CString("probeApplicationText")));
}

TEST_F(CDLLLoaderTest, loadingAnotherLibraryFreesTheOneHeld)
{
    CDLLLoader loader(CString(m_first.c_str()));
    loader.loadDll(CString(m_second.c_str()));
    EXPECT_FALSE(CProbeLibrary::isLoaded(m_first));
    EXPECT_TRUE(CProbeLibrary::isLoaded(m_second));
}

TEST_F(CDLLLoaderTest, aFailedLoadKeepsTheLibraryHeld)
{
    CDLLLoader loader(CString(m_first.c_str()));
    EXPECT_THROW(loader.loadDll(CString(m_folder.file("missing.dll").c_str())), CException);
    EXPECT_TRUE(CProbeLibrary::isLoaded(m_first));
    EXPECT_NE(nullptr, loader.getFunctionAddress(CString("probeDetach")));
}

TEST_F(CDLLLoaderTest, theLoaderFreesItsLibraryWhenItGoes)
{
    {
        const CDLLLoader loader(CString(m_first.c_str()));
        EXPECT_STREQ("CDLLLoader", loader.getClass().getClassName());
    }
    EXPECT_FALSE(CProbeLibrary::isLoaded(m_first));
}
} // namespace
