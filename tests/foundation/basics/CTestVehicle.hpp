// A three-level chain of counted test classes, each with its own record, for counting and ancestry tests.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace VolturaTests
{
class CTestVehicle : public Brivant::Basics::CCountedObject
{
public:
    CTestVehicle() = default;
    // Counts this object's destruction in *destructions.
    explicit CTestVehicle(int* destructions) : m_destructions(destructions) {}
    ~CTestVehicle() override
    {
        if (m_destructions != nullptr)
        {
            ++*m_destructions;
        }
    }

    const Brivant::Basics::CClass& getClass() const override { return classRecord(); }
    static Brivant::Basics::CClass& classRecord()
    {
        static Brivant::Basics::CClass record("CTestVehicle", "CCountedObject");
        return record;
    }

private:
    int* m_destructions = nullptr;
    Brivant::Basics::TInstanceCount<CTestVehicle> m_instanceCount;
};

class CTestCar : public CTestVehicle
{
public:
    using CTestVehicle::CTestVehicle;

    const Brivant::Basics::CClass& getClass() const override { return classRecord(); }
    static Brivant::Basics::CClass& classRecord()
    {
        static Brivant::Basics::CClass record("CTestCar", "CTestVehicle");
        return record;
    }

private:
    Brivant::Basics::TInstanceCount<CTestCar> m_instanceCount;
};

class CTestRacingCar : public CTestCar
{
public:
    using CTestCar::CTestCar;

    const Brivant::Basics::CClass& getClass() const override { return classRecord(); }
    static Brivant::Basics::CClass& classRecord()
    {
        static Brivant::Basics::CClass record("CTestRacingCar", "CTestCar");
        return record;
    }

private:
    Brivant::Basics::TInstanceCount<CTestRacingCar> m_instanceCount;
};
} // namespace VolturaTests
