// Points one imported function of the test program at a stand-in while it lives, so a test can count calls the
// library makes into Windows (the library is linked statically and calls through the program's import table).
#pragma once

#include <windows.h>

#include <cstring>

namespace VolturaTests
{
class CImportPatch
{
public:
    CImportPatch(const char* libraryName, const char* functionName, void* standIn)
        : m_slot(findSlot(libraryName, functionName)), m_original(nullptr)
    {
        if (m_slot != nullptr)
        {
            m_original = *m_slot;
            write(standIn);
        }
    }

    ~CImportPatch()
    {
        if (m_slot != nullptr)
        {
            write(m_original);
        }
    }

    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    bool isActive() const { return m_slot != nullptr; }

private:
    static void** findSlot(const char* libraryName, const char* functionName)
    {
        auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             library->Name != 0; ++library)
        {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), libraryName) != 0)
            {
                continue;
            }
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots)
            {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                {
                    continue;
                }
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) == 0)
                {
                    return reinterpret_cast<void**>(&slots->u1.Function);
                }
            }
        }
        return nullptr;
    }

    void write(void* target)
    {
        DWORD protection = 0;
        VirtualProtect(m_slot, sizeof(void*), PAGE_READWRITE, &protection);
        *m_slot = target;
        VirtualProtect(m_slot, sizeof(void*), protection, &protection);
    }

    void** m_slot;
    void* m_original;
};
} // namespace VolturaTests
