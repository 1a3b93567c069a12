// The registry: lookups, its own records at start-up, the class-information table and its writing at the end.
#include "CCountChange.hpp"
#include "foundation/basics/CClassManager.hpp"
#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using Brivant::Basics::CClass;
using Brivant::Basics::CClassManager;
using Brivant::Basics::CCountedObject;
using Brivant::Collections::TPointerCollection;
using VolturaTests::CCountChange;

namespace
{
const std::string kRule = "+-----------------------------------------------------------------+----------+----------+\n";
const std::string kHeading = kRule +
                             "| Brivant class information                                       |          |          |\n" +
                             kRule +
                             "| Class Name                                                      | Instance |   Total  |\n" +
                             kRule;

class CClassManagerTest : public ::testing::Test
{
protected:
    // Names a record without registering it anywhere.
    static void prepare(CClass& record, const char* name, long live, long dead)
    {
        record.setClassName(name);
        for (long count = 0; count < live + dead; ++count)
        {
            record.incrementInstanceCount();
        }
        for (long count = 0; count < dead; ++count)
        {
            record.decrementInstanceCount();
        }
    }

    // Tests that delete the process-wide registry put its records back into the new one afterwards.
    void saveProcessRegistry()
    {
        CClassManager& registry = CClassManager::getManager();
        for (long index = 0; index < registry.getNumberOfClasses(); ++index)
        {
            m_saved.push_back(registry.getClassAt(index));
        }
    }

    ~CClassManagerTest() override
    {
        for (CClass* record : m_saved)
        {
            CClassManager::getManager().registerClass(record);
        }
    }

    std::vector<CClass*> m_saved;
};

TEST_F(CClassManagerTest, emptyTableIsHeadingRuleZeroSumsAndRule)
{
    CClassManager registry;
    const std::string expected =
        kHeading + kRule + "|                                                                 |         0|         0|\n" + kRule;
    EXPECT_EQ(expected, registry.formatClassInformation());

    // Through a text stream: written only while it is open for writing, with CR LF line ends.
    const std::string path = (std::filesystem::temp_directory_path() / "voltura-empty-table.txt").string();
    Brivant::IO::CTextStream closed;
    registry.writeClassInformation(closed);
    Brivant::IO::CTextStream stream(Brivant::Basics::CSystemString(path.c_str()), Brivant::IO::CTextStream::kWriting);
    registry.writeClassInformation(stream);
    stream.closeStream();
    std::ifstream written(path, std::ios::binary);
    std::string expectedFile = expected;
    for (std::string::size_type at = expectedFile.find('\n'); at != std::string::npos;
         at = expectedFile.find('\n', at + 2))
        expectedFile.insert(at, "\r");
    EXPECT_EQ(expectedFile, std::string(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()));
    written.close();
    std::remove(path.c_str());
}

TEST_F(CClassManagerTest, tableListsOnlyRecordsWithLiveInstancesAndSumsThem)
{
    CClass alpha, beta, gamma;
    prepare(alpha, "Alpha", 2, 3);
    prepare(beta, "Beta", 0, 7);
    prepare(gamma, "Gamma", -1, 5);
    CClassManager registry;
    registry.registerClass(&alpha);
    registry.registerClass(&beta);
    registry.registerClass(&gamma);
    EXPECT_EQ(kHeading +
                  "|                                                           Alpha |         2|         5|\n"
                  "|                                                           Gamma |        -1|         4|\n" +
                  kRule + "|                                                                 |         1|         9|\n" +
                  kRule,
              registry.formatClassInformation());
}

TEST_F(CClassManagerTest, registerIgnoresNullAndKnownNamesAndSortOrdersByUnsignedName)
{
    CClass lower, upper, accented, twin;
    lower.setClassName("Ca");
    accented.setClassName("\xC9");
    upper.setClassName("CZ");
    twin.setClassName("CZ");
    CClassManager registry;
    registry.registerClass(&lower);
    registry.registerClass(nullptr);
    registry.registerClass(&accented);
    registry.registerClass(&upper);
    registry.registerClass(&twin);
    EXPECT_EQ(3, registry.getNumberOfClasses());
    EXPECT_EQ(&upper, registry.getClassWithName("CZ"));
    EXPECT_TRUE(registry.isClassRegistered(&twin));
    EXPECT_FALSE(registry.isClassRegistered(nullptr));
    EXPECT_EQ(nullptr, registry.getClassWithName("Stranger"));

    registry.sortClasses();
    EXPECT_EQ(&upper, registry.getClassAt(0));
    EXPECT_EQ(&lower, registry.getClassAt(1));
    EXPECT_EQ(&accented, registry.getClassAt(2));
    EXPECT_EQ(nullptr, registry.getClassAt(3));
}

TEST_F(CClassManagerTest, processRegistryHoldsItsOwnRecordsOnce)
{
    // The registry's collection and nuller register their records while it is being built.
    CClassManager& registry = CClassManager::getManager();
    const CClass* collection = registry.getClassWithName("TPointerCollection<CClass>");
    const CClass* nuller = registry.getClassWithName("TObjectNuller<CClass>");
    ASSERT_NE(nullptr, collection);
    ASSERT_NE(nullptr, nuller);
    EXPECT_LE(1, collection->getInstanceCount());
    EXPECT_STREQ("TPointerDeleter<CClass>", nuller->getParentName());
    EXPECT_EQ(&CCountedObject::classRecord(), registry.getClassWithName("CCountedObject"));
    long copies = 0;
    for (long index = 0; index < registry.getNumberOfClasses(); ++index)
    {
        copies += *registry.getClassAt(index) == "TPointerCollection<CClass>" ? 1 : 0;
    }
    EXPECT_EQ(1, copies);
}

TEST_F(CClassManagerTest, destroyClassManagerWritesTheSortedTableInTextModeAndForgetsTheRegistry)
{
    saveProcessRegistry();
    const std::string path = (std::filesystem::temp_directory_path() / "voltura-class-information.txt").string();
    std::remove(path.c_str());
    CClassManager::getManager().sortClasses();
    std::string expected = CClassManager::getManager().formatClassInformation();
    for (std::string::size_type at = expected.find('\n'); at != std::string::npos; at = expected.find('\n', at + 2))
    {
        expected.insert(at, "\r");
    }
    CClass::destroyClassManager(path.c_str());
    EXPECT_EQ(nullptr, CClassManager::findManager());
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(expected, std::string(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()));
    written.close();
    std::remove(path.c_str());
}

TEST_F(CClassManagerTest, destroyClassManagerWithoutAWritablePathStillForgetsTheRegistry)
{
    saveProcessRegistry();
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "no-such-folder" / "table.txt";
    CClass::destroyClassManager(path.string().c_str());
    EXPECT_EQ(nullptr, CClassManager::findManager());
    EXPECT_FALSE(std::filesystem::exists(path));
    CClassManager::getManager();
    CClass::destroyClassManager(nullptr);
    EXPECT_EQ(nullptr, CClassManager::findManager());
    CClass::destroyClassManager(nullptr);
}

TEST_F(CClassManagerTest, recordsBuiltAfterDestructionRegisterWithANewRegistry)
{
    saveProcessRegistry();
    CClass::destroyClassManager(nullptr);
    // A record's constructor never builds the registry's counted collection: at start-up the record under
    // construction may be one that collection needs. The records wait until the first lookup. Records are never
    // freed while a registry may point to them.
    CCountChange collections(TPointerCollection<CClass>::classRecord());
    CClass& first = *new CClass("CClassManagerTest.Late");
    new CClass("CClassManagerTest.Late");
    CClass& second = *new CClass("CClassManagerTest.Later", "CClassManagerTest.Late");
    CClassManager* registry = CClassManager::findManager();
    ASSERT_NE(nullptr, registry);
    EXPECT_EQ(0, collections.live());
    EXPECT_EQ(&first, registry->getClassWithName("CClassManagerTest.Late"));
    EXPECT_EQ(1, collections.live());
    EXPECT_EQ(&first, registry->getClassAt(0));
    EXPECT_EQ(&second, registry->getClassAt(1));
    EXPECT_EQ(2, registry->getNumberOfClasses());
    EXPECT_TRUE(second.isTypeOf(first));
}

// Template records are built on their first use, which may come on several of the host's threads at once.
TEST_F(CClassManagerTest, recordsRegisteredOnSeveralThreadsAtOnceAreAllKept)
{
    CClassManager registry;
    std::vector<CClass> records(800);
    for (size_t index = 0; index < records.size(); ++index)
        records[index].setClassName(("Threaded" + std::to_string(index)).c_str());
    std::atomic<bool> go(false);
    std::vector<std::thread> threads;
    for (size_t thread = 0; thread < 8; ++thread)
        threads.emplace_back([&registry, &records, &go, thread] {
            while (!go.load())
                std::this_thread::yield();
            for (size_t index = thread; index < records.size(); index += 8)
                registry.registerClass(&records[index]);
        });
    go.store(true);
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(800, registry.getNumberOfClasses());
}
} // namespace
