#include "foundation/host/CDLLLoader.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CFileManager.hpp"

#include <windows.h>

namespace Brivant
{
namespace Host
{
CDLLLoader::CDLLLoader() : m_path(" "), m_module(nullptr) {}

CDLLLoader::CDLLLoader(const Basics::CString& path) : CDLLLoader() { loadDll(path); }

CDLLLoader::~CDLLLoader() { unloadDll(); }

void CDLLLoader::loadDll(const Basics::CString& path)
{
    // A folder does not count as a file here.
    if (!CFileManager::fileExists(Basics::CSystemString(path)))
    {
        Basics::CString reason(path);
        reason.appendString(" doesnt exist");
        throw Exceptions::CException(reason, "CDLLLoader::loadDll(const CString &)", true);
    }
    // A second load would otherwise leave the first library loaded for the rest of the process.
    unloadDll();
    m_path = path;
    m_module = LoadLibraryA(m_path.getString());
}

void* CDLLLoader::getFunctionAddress(const Basics::CString& name) const
{
    if (m_module == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_module), name.getString()));
}

void CDLLLoader::unloadDll()
{
    if (m_module != nullptr)
        FreeLibrary(static_cast<HMODULE>(m_module));
    m_module = nullptr;
}
} // namespace Host
} // namespace Brivant
