// Class records: names, instance counts, template naming and the ancestry walk through the registry.
#include "foundation/basics/CClass.hpp"

#include "foundation/basics/CClassManager.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace Brivant
{
namespace Basics
{
namespace
{
const char kUndefinedClass[] = "UndefinedClass";
const char kUndefinedParent[] = "UndefinedParent";

// Copies text into a buffer of size bytes, cutting it to fit with the terminator.
void copyText(char* out, long size, const char* text)
{
    if (out == nullptr || size <= 0)
    {
        return;
    }
    const std::size_t limit = static_cast<std::size_t>(size) - 1;
    const std::size_t length = text != nullptr ? std::strlen(text) : 0;
    const std::size_t copied = length < limit ? length : limit;
    std::memmove(out, text, copied);
    out[copied] = '\0';
}

// g++ gives mangled names; the naming rule reads the source-level form.
std::string readableTypeName(const std::type_info& type)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled != nullptr) ? demangled : type.name();
    std::free(demangled);
    return name;
}

std::string shortTypeName(const std::type_info& type)
{
    const std::string name = readableTypeName(type);
    std::string::size_type cut = name.rfind(':');
    if (cut == std::string::npos)
    {
        cut = name.rfind(' ');
    }
    return cut == std::string::npos ? name : name.substr(cut + 1);
}
} // namespace

CClass::CClass() : m_instances(0), m_total(0)
{
    copyText(m_name, kNameSize, kUndefinedClass);
    copyText(m_parentName, kNameSize, kUndefinedParent);
    CClassManager::getManager();
}

CClass::CClass(const char* className) : CClass()
{
    setClassName(className);
    registerWithManager();
}

CClass::CClass(const char* className, const char* parentName) : CClass()
{
    setClassName(className);
    if (parentName != nullptr)
    {
        copyText(m_parentName, kNameSize, parentName);
    }
    registerWithManager();
}

CClass::CClass(const char* templateName, const std::type_info& type) : CClass()
{
    if (templateName != nullptr)
    {
        buildTemplateName(templateName, type, m_name, kNameSize);
    }
    registerWithManager();
}

CClass::CClass(const char* templateName, const std::type_info& type, const char* parentName) : CClass()
{
    if (templateName != nullptr)
    {
        buildTemplateName(templateName, type, m_name, kNameSize);
    }
    if (parentName != nullptr)
    {
        copyText(m_parentName, kNameSize, parentName);
    }
    registerWithManager();
}

CClass::CClass(const char* templateName, const std::type_info& type, const char* parentTemplateName,
               const std::type_info& parentType)
    : CClass()
{
    if (templateName != nullptr)
    {
        buildTemplateName(templateName, type, m_name, kNameSize);
    }
    if (parentTemplateName != nullptr)
    {
        buildTemplateName(parentTemplateName, parentType, m_parentName, kNameSize);
    }
    registerWithManager();
}

CClass& CClass::operator=(const CClass& other)
{
    if (this != &other)
    {
        copyText(m_name, kNameSize, other.m_name);
    }
    return *this;
}

void CClass::incrementInstanceCount()
{
    m_instances.fetch_add(1, std::memory_order_relaxed);
    m_total.fetch_add(1, std::memory_order_relaxed);
}

void CClass::decrementInstanceCount() { m_instances.fetch_sub(1, std::memory_order_relaxed); }

void CClass::setClassName(const char* name)
{
    if (name != nullptr)
    {
        copyText(m_name, kNameSize, name);
    }
}

bool CClass::operator==(const char* name) const { return name != nullptr && std::strcmp(m_name, name) == 0; }

bool CClass::operator==(const CClass& other) const { return *this == other.m_name; }

bool CClass::isTypeOf(const CClass& other) const
{
    if (*this == other)
    {
        return true;
    }
    const CClassManager* manager = CClassManager::findManager();
    if (manager == nullptr)
    {
        return false;
    }
    // Each name is registered once, so a walk longer than the registry is going round a loop of parent names.
    const CClass* ancestor = this;
    for (long steps = manager->getNumberOfClasses(); steps > 0; --steps)
    {
        ancestor = manager->getClassWithName(ancestor->m_parentName);
        if (ancestor == nullptr)
        {
            return false;
        }
        if (*ancestor == other)
        {
            return true;
        }
    }
    return false;
}

void CClass::buildTemplateName(const char* templateName, const std::type_info& type, char* out, long size)
{
    if (out == nullptr || size <= 0)
    {
        return;
    }
    std::string name = templateName != nullptr ? templateName : "";
    const std::string::size_type bracket = name.find('<');
    if (bracket != std::string::npos)
    {
        name = name.substr(0, bracket) + "<" + shortTypeName(type) + ">";
    }
    copyText(out, size, name.c_str());
}

int CClass::compareClassNames(const void* first, const void* second)
{
    const CClass* left = *static_cast<const CClass* const*>(first);
    const CClass* right = *static_cast<const CClass* const*>(second);
    if (left == right)
    {
        return 0;
    }
    if (left == nullptr)
    {
        return 1;
    }
    if (right == nullptr)
    {
        return -1;
    }
    // strcmp compares as unsigned char.
    const int order = std::strcmp(left->m_name, right->m_name);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void CClass::destroyClassManager(const char* path)
{
    CClassManager* manager = CClassManager::findManager();
    if (manager == nullptr)
    {
        return;
    }
    if (path != nullptr)
    {
        // The table is laid out before the writer's own path and stream objects exist, so it shows only
        // what the library left alive.
        manager->sortClasses();
        const std::string table = manager->formatClassInformation();
        IO::CTextStream stream;
        if (stream.openStream(CSystemString(path), IO::CTextStream::kWriting))
        {
            stream << table.c_str();
            stream.closeStream();
        }
    }
    CClassManager::deleteManager();
}

void CClass::registerWithManager() { CClassManager::getManager().admitClass(this); }
} // namespace Basics
} // namespace Brivant
