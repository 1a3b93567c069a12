// Run-time class records: one per class and per template instantiation, counting live and total instances.
#pragma once

#include <atomic>
#include <typeinfo>

namespace Brivant
{
namespace Basics
{
class CClass
{
public:
    static constexpr long kNameSize = 128;

    CClass();
    explicit CClass(const char* className);
    CClass(const char* className, const char* parentName);
    CClass(const char* templateName, const std::type_info& type);
    CClass(const char* templateName, const std::type_info& type, const char* parentName);
    CClass(const char* templateName, const std::type_info& type, const char* parentTemplateName,
           const std::type_info& parentType);
    // Records outlive the registry; they never unregister.
    virtual ~CClass() = default;

    CClass(const CClass&) = delete;
    // Copies the name only.
    CClass& operator=(const CClass& other);

    void incrementInstanceCount();
    void decrementInstanceCount();

    void setClassName(const char* name);
    const char* getClassName() const { return m_name; }
    const char* getParentName() const { return m_parentName; }
    long getInstanceCount() const { return m_instances.load(std::memory_order_relaxed); }
    long getTotalCount() const { return m_total.load(std::memory_order_relaxed); }

    bool operator==(const char* name) const;
    bool operator==(const CClass& other) const;
    bool operator!=(const CClass& other) const { return !(*this == other); }

    // True for this record and for every ancestor reached through the registry by parent names.
    bool isTypeOf(const CClass& other) const;

    static void buildTemplateName(const char* templateName, const std::type_info& type, char* out, long size);
    // qsort comparator over record pointers: unsigned byte order of names, null entries last.
    static int compareClassNames(const void* first, const void* second);
    // Writes the class-information table to path when one is given, then deletes the registry.
    static void destroyClassManager(const char* path);

private:
    void registerWithManager();

    char m_name[kNameSize];
    char m_parentName[kNameSize];
    // Hosts build and free effects on several threads at once.
    std::atomic<long> m_instances;
    std::atomic<long> m_total;
};

// Counts the instances of Owner in Owner::classRecord(): every constructor (copies included) counts one more
// after the bases are built, the destructor one less. A class holds one as a member.
template <class Owner>
class TInstanceCount
{
public:
    TInstanceCount() { Owner::classRecord().incrementInstanceCount(); }
    TInstanceCount(const TInstanceCount&) : TInstanceCount() {}
    TInstanceCount& operator=(const TInstanceCount&) { return *this; }
    ~TInstanceCount() { Owner::classRecord().decrementInstanceCount(); }
};
} // namespace Basics
} // namespace Brivant

// One line at the start of a class body gives the class its record, getClass and an instance count, and registers
// the record while the library loads: BRIVANT_CLASS_RECORD(CKnob, "CAnimation"). A null parent name leaves the
// parent "UndefinedParent". The access after it is private, as at the start of any class body.
#define BRIVANT_CLASS_RECORD(Owner, parentName) BRIVANT_NAMED_CLASS_RECORD(Owner, #Owner, parentName)

// The same for a record whose name is not the class's own spelling, such as a nested class's "COuter::CInner".
#define BRIVANT_NAMED_CLASS_RECORD(Owner, className, parentName)                                                \
public:                                                                                                        \
    static ::Brivant::Basics::CClass& classRecord()                                                            \
    {                                                                                                          \
        static ::Brivant::Basics::CClass record(className, parentName);                                        \
        return record;                                                                                         \
    }                                                                                                          \
    const ::Brivant::Basics::CClass& getClass() const override { return classRecord(); }                       \
                                                                                                               \
private:                                                                                                       \
    ::Brivant::Basics::TInstanceCount<Owner> m_instanceCount;                                                  \
    inline static const ::Brivant::Basics::CClass& s_recordAtLoad = classRecord()
