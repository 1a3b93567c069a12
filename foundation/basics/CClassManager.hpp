// The registry of class records: finds records by name, sorts them and lays out the class-information table.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "foundation/collections/TPointerCollection.hpp"
#include "foundation/collections/TPointerDeleter.hpp"

#include <mutex>
#include <string>
#include <vector>

namespace Brivant
{
namespace IO
{
class CTextStream;
}

namespace Basics
{
// The records are static objects, so the registry points to them through a nuller and never deletes them.
// Its own collection and nuller are counted objects whose records register here too: the collection is
// therefore built only outside record construction, on the first call of any public operation, and records
// built before that wait in a plain list.
class CClassManager
{
public:
    CClassManager();
    ~CClassManager();

    CClassManager(const CClassManager&) = delete;
    CClassManager& operator=(const CClassManager&) = delete;

    // The process-wide registry, created on first use.
    static CClassManager& getManager();
    // The process-wide registry, or null when there is none.
    static CClassManager* findManager();
    // Deletes the process-wide registry; records built afterwards register with a new one.
    static void deleteManager();

    // Ignores a null record and one whose name is already registered.
    void registerClass(CClass* record);
    // True when a registered record has the same name.
    bool isClassRegistered(const CClass* record) const;
    // The first record registered with that name, or null.
    CClass* getClassWithName(const char* name) const;
    long getNumberOfClasses() const;
    // In registration order, or sorted order after sortClasses; null outside 0 to getNumberOfClasses() - 1.
    CClass* getClassAt(long index) const;

    // Unsigned byte order of the names.
    void sortClasses();
    // The class-information table, one "\n" per line; only records with live instances get a row.
    std::string formatClassInformation() const;
    // Writes the table when the stream is good.
    void writeClassInformation(IO::CTextStream& stream) const;

private:
    friend class CClass;

    // Called by a record's constructor: never builds anything, as the record may be one the collection needs.
    void admitClass(CClass* record);
    void buildCollection() const;
    CClass* findName(const char* name) const;

    mutable Collections::TObjectNuller<CClass>* m_nuller;
    mutable Collections::TPointerCollection<CClass>* m_classes;
    mutable std::vector<CClass*> m_waiting;
    mutable bool m_building;
    // Template records are built on first use, which may come on several threads at once. Recursive, because
    // building the collection builds records that register in turn.
    mutable std::recursive_mutex m_lock;
};
} // namespace Basics
} // namespace Brivant
