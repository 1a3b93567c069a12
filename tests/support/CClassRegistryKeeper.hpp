// Detaching deletes the process-wide class registry, which only a real unload should do for good: tests that
// detach keep one of these, and the records registered before it come back into a registry when it goes.
#pragma once

#include "foundation/basics/CClassManager.hpp"

#include <vector>

namespace VolturaTests
{
class CClassRegistryKeeper
{
public:
    CClassRegistryKeeper()
    {
        Brivant::Basics::CClassManager& registry = Brivant::Basics::CClassManager::getManager();
        for (long index = 0; index < registry.getNumberOfClasses(); ++index)
            m_records.push_back(registry.getClassAt(index));
    }

    ~CClassRegistryKeeper()
    {
        for (Brivant::Basics::CClass* record : m_records)
            Brivant::Basics::CClassManager::getManager().registerClass(record);
    }

    CClassRegistryKeeper(const CClassRegistryKeeper&) = delete;
    CClassRegistryKeeper& operator=(const CClassRegistryKeeper&) = delete;

private:
    std::vector<Brivant::Basics::CClass*> m_records;
};
} // namespace VolturaTests
