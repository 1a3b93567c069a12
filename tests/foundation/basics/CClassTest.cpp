// Class records: names and their cut, counts, ancestry through the registry, template names and sort order.
#include "CCountChange.hpp"
#include "CTestVehicle.hpp"
#include "foundation/basics/CClass.hpp"
#include "foundation/basics/CClassManager.hpp"
#include "foundation/collections/TTreeNode.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

using Brivant::Basics::CClass;
using Brivant::Basics::CClassManager;
using Brivant::Basics::CCountedObject;
using VolturaTests::CTestCar;
using VolturaTests::CTestRacingCar;
using VolturaTests::CTestVehicle;

namespace VolturaTests
{
namespace GUI
{
class IControl
{
};
} // namespace GUI
namespace Audio
{
template <class T>
class TAudioBuffer
{
};
} // namespace Audio
} // namespace VolturaTests

namespace
{
// Classes that take their record from the one-line macro.
class CTestTrailer : public CTestVehicle
{
    BRIVANT_CLASS_RECORD(CTestTrailer, "CTestVehicle");
};

class CTestHitch : public CCountedObject
{
    BRIVANT_NAMED_CLASS_RECORD(CTestHitch, "CTestTrailer::CHitch", nullptr);
};
} // namespace

namespace
{
using VolturaTests::Audio::TAudioBuffer;
using VolturaTests::GUI::IControl;

// Records that register must outlive the registry, so the tests build them as function statics.
class CClassTest : public ::testing::Test
{
protected:
    static std::string templateName(const char* pattern, const std::type_info& type, long size = CClass::kNameSize)
    {
        std::string out(static_cast<std::size_t>(size) + 1, '#');
        CClass::buildTemplateName(pattern, type, &out[0], size);
        return out.substr(0, out.find('\0'));
    }

    // Named but never registered.
    static CClass& namedRecord(const char* name)
    {
        static CClass records[8];
        static int used = 0;
        CClass& record = records[used++ % 8];
        record.setClassName(name);
        return record;
    }

    CClassManager& m_registry = CClassManager::getManager();
};

TEST_F(CClassTest, defaultRecordIsUndefinedAndStaysUnregistered)
{
    CClass record;
    EXPECT_STREQ("UndefinedClass", record.getClassName());
    EXPECT_STREQ("UndefinedParent", record.getParentName());
    EXPECT_EQ(0, record.getInstanceCount());
    EXPECT_EQ(0, record.getTotalCount());
    EXPECT_NE(&record, m_registry.getClassWithName("UndefinedClass"));
}

TEST_F(CClassTest, namedRecordsRegisterUnderTheirNameWithTheirParent)
{
    static CClass alone("CClassTest.Alone");
    static CClass child("CClassTest.Child", "CClassTest.Alone");
    EXPECT_STREQ("UndefinedParent", alone.getParentName());
    EXPECT_STREQ("CClassTest.Alone", child.getParentName());
    EXPECT_EQ(&alone, m_registry.getClassWithName("CClassTest.Alone"));
    EXPECT_EQ(&child, m_registry.getClassWithName("CClassTest.Child"));
}

TEST_F(CClassTest, namesLongerThan127CharactersAreCut)
{
    const std::string longName(200, 'L');
    static CClass record(longName.c_str(), std::string(200, 'P').c_str());
    EXPECT_EQ(longName.substr(0, 127), record.getClassName());
    EXPECT_EQ(std::string(127, 'P'), record.getParentName());
    EXPECT_EQ(&record, m_registry.getClassWithName(longName.substr(0, 127).c_str()));
    CClass renamed;
    renamed.setClassName(std::string(128, 'R').c_str());
    EXPECT_EQ(std::string(127, 'R'), renamed.getClassName());
}

TEST_F(CClassTest, countsAssignmentAndRenaming)
{
    CClass source;
    source.setClassName("Source");
    source.incrementInstanceCount();
    source.incrementInstanceCount();
    source.decrementInstanceCount();
    EXPECT_EQ(1, source.getInstanceCount());
    EXPECT_EQ(2, source.getTotalCount());

    CClass target;
    target.setClassName(nullptr);
    EXPECT_STREQ("UndefinedClass", target.getClassName());
    target = source;
    EXPECT_STREQ("Source", target.getClassName());
    EXPECT_STREQ("UndefinedParent", target.getParentName());
    EXPECT_EQ(0, target.getTotalCount());
}

// A host scanning plug-ins builds and frees effects on several threads at once: no count may be lost.
TEST_F(CClassTest, countsStayExactWhileManyThreadsBuildAndFreeObjects)
{
    const VolturaTests::CCountChange count(CTestCar::classRecord());
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 8; ++thread)
        threads.emplace_back([] {
            for (int object = 0; object < 20000; ++object)
                CTestCar car;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, count.live());
    EXPECT_EQ(8 * 20000, count.total());
}

TEST_F(CClassTest, equalityComparesNamesByteForByte)
{
    CClass& first = namedRecord("Same");
    CClass& second = namedRecord("Same");
    EXPECT_TRUE(first == "Same");
    EXPECT_FALSE(first == "same");
    EXPECT_FALSE(first == "Sam");
    EXPECT_FALSE(first == static_cast<const char*>(nullptr));
    EXPECT_TRUE(first == second);
    second.setClassName("Other");
    EXPECT_TRUE(first != second);
}

TEST_F(CClassTest, isTypeOfFollowsRegisteredParentsUpwardsOnly)
{
    const CClass& racingCar = CTestRacingCar::classRecord();
    EXPECT_TRUE(racingCar.isTypeOf(racingCar));
    EXPECT_TRUE(racingCar.isTypeOf(CTestCar::classRecord()));
    EXPECT_TRUE(racingCar.isTypeOf(CTestVehicle::classRecord()));
    EXPECT_TRUE(racingCar.isTypeOf(CCountedObject::classRecord()));
    EXPECT_FALSE(CTestVehicle::classRecord().isTypeOf(CTestCar::classRecord()));
    EXPECT_FALSE(racingCar.isTypeOf(namedRecord("CTestBicycle")));
    // Any record of an ancestor's name will do.
    EXPECT_TRUE(racingCar.isTypeOf(namedRecord("CTestVehicle")));
}

TEST_F(CClassTest, isTypeOfStopsAtAnUnregisteredParentAndOnALoop)
{
    static CClass orphan("CClassTest.Orphan", "CClassTest.MissingParent");
    static CClass child("CClassTest.OrphanChild", "CClassTest.Orphan");
    EXPECT_TRUE(child.isTypeOf(orphan));
    EXPECT_FALSE(child.isTypeOf(namedRecord("CClassTest.MissingParent")));
    EXPECT_FALSE(child.isTypeOf(namedRecord("UndefinedParent")));

    static CClass first("CClassTest.LoopA", "CClassTest.LoopB");
    static CClass second("CClassTest.LoopB", "CClassTest.LoopA");
    static CClass itself("CClassTest.Self", "CClassTest.Self");
    EXPECT_TRUE(first.isTypeOf(second));
    EXPECT_FALSE(first.isTypeOf(CCountedObject::classRecord()));
    EXPECT_FALSE(itself.isTypeOf(CCountedObject::classRecord()));
}

TEST_F(CClassTest, secondRecordWithTheSameNameStaysUnregisteredButCounts)
{
    static CClass first("CClassTest.Duplicate", "FirstParent");
    static CClass second("CClassTest.Duplicate", "SecondParent");
    EXPECT_EQ(&first, m_registry.getClassWithName("CClassTest.Duplicate"));
    const long registered = m_registry.getNumberOfClasses();
    m_registry.registerClass(&second);
    EXPECT_EQ(registered, m_registry.getNumberOfClasses());
    second.incrementInstanceCount();
    EXPECT_EQ(1, second.getInstanceCount());
    EXPECT_EQ(0, first.getInstanceCount());
    second.decrementInstanceCount();
}

TEST_F(CClassTest, templateNamesKeepTheTextAfterTheLastColon)
{
    EXPECT_EQ("TPointerCollection<CTestVehicle>", templateName("TPointerCollection<TypeName>", typeid(CTestVehicle)));
    EXPECT_EQ("TAudioBuffer<float>", templateName("TAudioBuffer<TypeName>", typeid(float)));
    EXPECT_EQ("TTreeNode<IControl>", templateName("TTreeNode<TypeName>", typeid(IControl)));
    EXPECT_EQ("TPointerCollection<IControl>>",
              templateName("TPointerCollection<TypeName>", typeid(Brivant::Collections::TTreeNode<IControl>)));
    EXPECT_EQ("TPointerDeleter<TAudioBuffer<float>>",
              templateName("TPointerDeleter<TypeName>", typeid(TAudioBuffer<float>)));
    // Without a colon, the text after the last blank.
    EXPECT_EQ("TList<int>", templateName("TList<TypeName>", typeid(unsigned int)));
    EXPECT_EQ("PlainName", templateName("PlainName", typeid(float)));
    EXPECT_EQ("TAudio", templateName("TAudioBuffer<TypeName>", typeid(float), 7));
    std::string untouched = "untouched";
    CClass::buildTemplateName("TAudioBuffer<TypeName>", typeid(float), &untouched[0], 0);
    EXPECT_EQ("untouched", untouched);
}

TEST_F(CClassTest, templateRecordConstructorsBuildNameAndParent)
{
    static CClass plain("CClassTest.TPlain<TypeName>", typeid(IControl));
    static CClass named("CClassTest.TNamed<TypeName>", typeid(IControl), "CCountedObject");
    static CClass built("CClassTest.TBuilt<TypeName>", typeid(IControl), "CClassTest.TPlain<TypeName>",
                        typeid(IControl));
    EXPECT_STREQ("CClassTest.TPlain<IControl>", plain.getClassName());
    EXPECT_STREQ("UndefinedParent", plain.getParentName());
    EXPECT_STREQ("CCountedObject", named.getParentName());
    EXPECT_STREQ("CClassTest.TPlain<IControl>", built.getParentName());
    EXPECT_TRUE(built.isTypeOf(plain));
}

TEST_F(CClassTest, sortingPutsNamesInUnsignedByteOrderAndNullsLast)
{
    CClass* lower = &namedRecord("Ca");
    CClass* accented = &namedRecord("\xE9t\xE9");
    CClass* upper = &namedRecord("CZ");
    CClass* first = &namedRecord("B");
    CClass* records[] = {lower, nullptr, accented, upper, first};
    std::qsort(records, 5, sizeof(CClass*), &CClass::compareClassNames);
    EXPECT_EQ(first, records[0]);
    EXPECT_EQ(upper, records[1]);
    EXPECT_EQ(lower, records[2]);
    EXPECT_EQ(accented, records[3]);
    EXPECT_EQ(nullptr, records[4]);
    EXPECT_EQ(0, CClass::compareClassNames(&records[0], &records[0]));
    EXPECT_EQ(1, CClass::compareClassNames(&records[4], &records[0]));
    EXPECT_EQ(-1, CClass::compareClassNames(&records[0], &records[4]));
}
TEST_F(CClassTest, theOneLineRecordRegistersAtLoadCountsItsInstancesAndIsTheirClass)
{
    // Looked up before anything in the tests asks for the records: they were made while the program loaded.
    const CClass* trailerAtLoad = m_registry.getClassWithName("CTestTrailer");
    const CClass* hitchAtLoad = m_registry.getClassWithName("CTestTrailer::CHitch");
    EXPECT_EQ(&CTestTrailer::classRecord(), trailerAtLoad);
    EXPECT_EQ(&CTestHitch::classRecord(), hitchAtLoad);
    EXPECT_STREQ("CTestVehicle", CTestTrailer::classRecord().getParentName());
    EXPECT_STREQ("UndefinedParent", CTestHitch::classRecord().getParentName());
    EXPECT_TRUE(CTestTrailer::classRecord().isTypeOf(CTestVehicle::classRecord()));

    const long vehicles = CTestVehicle::classRecord().getInstanceCount();
    const long total = CTestTrailer::classRecord().getTotalCount();
    {
        const CTestTrailer trailer;
        const CTestTrailer copy(trailer);
        EXPECT_EQ(&CTestTrailer::classRecord(), &trailer.getClass());
        EXPECT_EQ(2, CTestTrailer::classRecord().getInstanceCount());
        EXPECT_EQ(vehicles + 2, CTestVehicle::classRecord().getInstanceCount());
    }
    EXPECT_EQ(0, CTestTrailer::classRecord().getInstanceCount());
    EXPECT_EQ(total + 2, CTestTrailer::classRecord().getTotalCount());
}
} // namespace
