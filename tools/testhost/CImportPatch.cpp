#include "CImportPatch.hpp"

#include <windows.h>

#include <cstring>

namespace
{
bool writeEntry(void** entry, void* value)
{
    DWORD protection = 0;
    if (!VirtualProtect(entry, sizeof(void*), PAGE_READWRITE, &protection))
        return false;
    *entry = value;
    DWORD ignored = 0;
    VirtualProtect(entry, sizeof(void*), protection, &ignored);
    return true;
}

// The import descriptors of a module mapped in this process; the module is of this process's own bitness.
const IMAGE_IMPORT_DESCRIPTOR* importDescriptors(const unsigned char* base)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (headers->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    const IMAGE_DATA_DIRECTORY& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0 || directory.Size == 0)
        return nullptr;
    return reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
}
} // namespace

CImportPatch::CImportPatch(void* module, const char* dllName, const char* functionName, void* replacement)
{
    HMODULE exporter = GetModuleHandleA(dllName);
    // The loader has bound the table already, so the entry is the one holding the function's address.
    void* target = exporter != nullptr ? reinterpret_cast<void*>(GetProcAddress(exporter, functionName)) : nullptr;
    const auto* base = static_cast<const unsigned char*>(module);
    const IMAGE_IMPORT_DESCRIPTOR* descriptor = base != nullptr ? importDescriptors(base) : nullptr;
    if (target == nullptr || descriptor == nullptr)
        return;
    for (; descriptor->Name != 0; ++descriptor)
    {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dllName) != 0)
            continue;
        auto** entry = reinterpret_cast<void**>(const_cast<unsigned char*>(base) + descriptor->FirstThunk);
        for (; *entry != nullptr; ++entry)
        {
            if (*entry == target && writeEntry(entry, replacement))
            {
                m_entry = entry;
                m_original = target;
                return;
            }
        }
    }
}

CImportPatch::~CImportPatch()
{
    if (m_entry != nullptr)
        writeEntry(m_entry, m_original);
}
