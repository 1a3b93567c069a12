// Reference counting, instance counting on a class and its parents, and the object description.
#include "CCountChange.hpp"
#include "CTestVehicle.hpp"
#include "foundation/basics/CCountedObject.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

using Brivant::Basics::CClass;
using Brivant::Basics::CCountedObject;
using Brivant::Basics::ICountedObject;
using VolturaTests::CCountChange;
using VolturaTests::CTestCar;
using VolturaTests::CTestRacingCar;
using VolturaTests::CTestVehicle;

namespace
{
class CCountedObjectTest : public ::testing::Test
{
protected:
    void expectChain(long live, long total)
    {
        for (const CCountChange* change : {&m_root, &m_vehicle, &m_car, &m_racingCar})
        {
            EXPECT_EQ(live, change->live());
            EXPECT_EQ(total, change->total());
        }
    }

    CCountChange m_root{CCountedObject::classRecord()};
    CCountChange m_vehicle{CTestVehicle::classRecord()};
    CCountChange m_car{CTestCar::classRecord()};
    CCountChange m_racingCar{CTestRacingCar::classRecord()};
};

TEST_F(CCountedObjectTest, constructionCountsInTheClassAndEachParentAndDestructionOnlyInLive)
{
    {
        CTestRacingCar car;
        EXPECT_EQ(0, car.getReferenceCount());
        expectChain(1, 1);
        CTestVehicle vehicle;
        EXPECT_EQ(2, m_vehicle.live());
        EXPECT_EQ(1, m_car.live());
    }
    EXPECT_EQ(0, m_root.live());
    EXPECT_EQ(2, m_root.total());
    EXPECT_EQ(1, m_racingCar.total());
}

TEST_F(CCountedObjectTest, copyIsANewUnreferencedInstance)
{
    CTestRacingCar original;
    original.referenced();
    original.referenced();
    CTestRacingCar copy(original);
    EXPECT_EQ(0, copy.getReferenceCount());
    EXPECT_EQ(2, original.getReferenceCount());
    expectChain(2, 2);
}

TEST_F(CCountedObjectTest, assignmentKeepsTheTargetsCountAndCountsNoInstance)
{
    CTestRacingCar source;
    CTestRacingCar target;
    source.referenced();
    target.referenced();
    target.referenced();
    target = source;
    EXPECT_EQ(2, target.getReferenceCount());
    EXPECT_EQ(1, source.getReferenceCount());
    expectChain(2, 2);
}

TEST_F(CCountedObjectTest, lastDereferenceDeletesEvenFromZero)
{
    int destructions = 0;
    ICountedObject* car = new CTestCar(&destructions);
    car->referenced();
    car->referenced();
    car->dereference();
    EXPECT_EQ(0, destructions);
    EXPECT_EQ(1, car->getReferenceCount());
    car->dereference();
    EXPECT_EQ(1, destructions);

    (new CTestVehicle(&destructions))->dereference();
    EXPECT_EQ(2, destructions);
    EXPECT_EQ(0, m_vehicle.live());
    EXPECT_EQ(2, m_vehicle.total());
}

TEST_F(CCountedObjectTest, descriptionShowsTheCountAndFitsTheBuffer)
{
    CCountedObject object;
    object.referenced();
    object.referenced();
    char text[256];
    object.getObjectDescription(text, sizeof(text));
    EXPECT_STREQ("[CCounted Object Base Reference Count = 2", text);
    object.getObjectDescription(text, 9);
    EXPECT_STREQ("[CCounte", text);
    std::strcpy(text, "untouched");
    object.getObjectDescription(text, 0);
    EXPECT_STREQ("untouched", text);
}

TEST_F(CCountedObjectTest, getClassAnswersTheMostDerivedRecord)
{
    CTestRacingCar car;
    const ICountedObject& counted = car;
    EXPECT_EQ(&CTestRacingCar::classRecord(), &counted.getClass());
    const CClass& root = CCountedObject().getClass();
    EXPECT_STREQ("CCountedObject", root.getClassName());
    EXPECT_STREQ("UndefinedParent", root.getParentName());
}

// Objects such as the default font are shared by instances that host threads build and release at once.
TEST_F(CCountedObjectTest, referencesTakenAndDroppedOnSeveralThreadsAtOnceKeepTheCount)
{
    ICountedObject* shared = new CTestVehicle();
    for (int held = 0; held < 1000; ++held)
        shared->referenced();
    std::atomic<bool> go(false);
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread)
        threads.emplace_back([shared, &go] {
            while (!go.load())
                std::this_thread::yield();
            for (int pair = 0; pair < 200000; ++pair)
            {
                shared->referenced();
                shared->dereference();
            }
        });
    go.store(true);
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(1000, shared->getReferenceCount());
    delete shared;
}
} // namespace
