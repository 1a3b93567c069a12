// The class registry and the layout of the class-information table.
#include "foundation/basics/CClassManager.hpp"

#include "foundation/io/CTextStream.hpp"

#include <cstdio>
#include <memory>

namespace Brivant
{
namespace Basics
{
namespace
{
// Constant-initialised, so it is null before any static constructor asks for the registry.
CClassManager* s_manager = nullptr;

const long kNameColumn = 65;
const long kCountColumn = 10;

std::string padded(const char* text, long width)
{
    std::string line(text);
    if (static_cast<long>(line.size()) < width)
    {
        line.append(static_cast<std::size_t>(width) - line.size(), ' ');
    }
    return line;
}

std::string rule()
{
    return "+" + std::string(kNameColumn, '-') + "+" + std::string(kCountColumn, '-') + "+" +
           std::string(kCountColumn, '-') + "+\n";
}
} // namespace

CClassManager::CClassManager() : m_nuller(nullptr), m_classes(nullptr), m_building(false) {}

CClassManager::~CClassManager()
{
    delete m_classes;
    delete m_nuller;
}

CClassManager& CClassManager::getManager()
{
    if (s_manager == nullptr)
    {
        s_manager = new CClassManager();
    }
    return *s_manager;
}

CClassManager* CClassManager::findManager() { return s_manager; }

void CClassManager::deleteManager()
{
    CClassManager* manager = s_manager;
    s_manager = nullptr;
    delete manager;
}

void CClassManager::registerClass(CClass* record)
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    buildCollection();
    admitClass(record);
}

bool CClassManager::isClassRegistered(const CClass* record) const
{
    return record != nullptr && getClassWithName(record->getClassName()) != nullptr;
}

CClass* CClassManager::getClassWithName(const char* name) const
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    buildCollection();
    return findName(name);
}

long CClassManager::getNumberOfClasses() const
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    buildCollection();
    return m_classes != nullptr ? m_classes->getInsertIndex() : static_cast<long>(m_waiting.size());
}

CClass* CClassManager::getClassAt(long index) const
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    buildCollection();
    if (m_classes != nullptr)
    {
        return m_classes->getElementAt(index);
    }
    return index >= 0 && index < static_cast<long>(m_waiting.size()) ? m_waiting[static_cast<std::size_t>(index)]
                                                                      : nullptr;
}

void CClassManager::sortClasses()
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    buildCollection();
    if (m_classes != nullptr)
    {
        m_classes->sortArray(&CClass::compareClassNames);
    }
}

std::string CClassManager::formatClassInformation() const
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    const std::string line = rule();
    std::string table = line;
    table += "|" + padded(" Brivant class information", kNameColumn) + "|" + std::string(kCountColumn, ' ') + "|" +
             std::string(kCountColumn, ' ') + "|\n";
    table += line;
    table += "|" + padded(" Class Name", kNameColumn) + "| Instance |   Total  |\n";
    table += line;

    long liveSum = 0;
    long totalSum = 0;
    char row[CClass::kNameSize + 64];
    const long count = getNumberOfClasses();
    for (long index = 0; index < count; ++index)
    {
        const CClass* record = getClassAt(index);
        if (record == nullptr || record->getInstanceCount() == 0)
        {
            continue;
        }
        std::snprintf(row, sizeof(row), "| %63s |%10li|%10li|\n", record->getClassName(), record->getInstanceCount(),
                      record->getTotalCount());
        table += row;
        liveSum += record->getInstanceCount();
        totalSum += record->getTotalCount();
    }

    table += line;
    std::snprintf(row, sizeof(row), "|%65s|%10li|%10li|\n", "", liveSum, totalSum);
    table += row;
    table += line;
    return table;
}

void CClassManager::writeClassInformation(IO::CTextStream& stream) const
{
    if (stream.isStreamOpenForWriting())
    {
        stream << formatClassInformation().c_str();
    }
}

void CClassManager::admitClass(CClass* record)
{
    const std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (record == nullptr || findName(record->getClassName()) != nullptr)
    {
        return;
    }
    if (m_classes != nullptr)
    {
        m_classes->addElement(record);
    }
    else
    {
        m_waiting.push_back(record);
    }
}

void CClassManager::buildCollection() const
{
    if (m_classes != nullptr || m_building)
    {
        return;
    }
    m_building = true;
    try
    {
        // Their records may be built here; they register through admitClass and join the waiting list.
        std::unique_ptr<Collections::TObjectNuller<CClass>> nuller(new Collections::TObjectNuller<CClass>());
        std::unique_ptr<Collections::TPointerCollection<CClass>> classes(
            new Collections::TPointerCollection<CClass>(nuller.get()));
        for (std::size_t index = 0; index < m_waiting.size(); ++index)
        {
            classes->addElement(m_waiting[index]);
        }
        m_classes = classes.release();
        m_nuller = nuller.release();
        m_waiting.clear();
    }
    catch (...)
    {
        m_building = false;
        throw;
    }
    m_building = false;
}

CClass* CClassManager::findName(const char* name) const
{
    if (name == nullptr)
    {
        return nullptr;
    }
    const long count = m_classes != nullptr ? m_classes->getInsertIndex() : static_cast<long>(m_waiting.size());
    for (long index = 0; index < count; ++index)
    {
        CClass* record = m_classes != nullptr ? m_classes->getElementAt(index)
                                              : m_waiting[static_cast<std::size_t>(index)];
        if (record != nullptr && *record == name)
        {
            return record;
        }
    }
    return nullptr;
}
} // namespace Basics
} // namespace Brivant
