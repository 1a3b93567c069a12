// Watches every DeleteObject the test program makes while it lives, and counts the objects deleted while a
// watched device context still has them selected. Windows refuses such a deletion and the handle leaks; Wine
// only puts it off, so the leak cannot be seen afterwards and has to be caught as it happens.
#pragma once

#include "gui/core/CGraphics.hpp"
#include "gui/core/CNativeImage.hpp"

#include <windows.h>

#include <cstring>
#include <vector>

namespace VolturaTests
{
class CGdiDeletionWatch
{
public:
    CGdiDeletionWatch() : m_entry(findImport("gdi32.dll", "DeleteObject"))
    {
        s_watch = this;
        if (m_entry != nullptr)
            m_original = exchange(reinterpret_cast<void*>(&deleteObject));
    }
    ~CGdiDeletionWatch()
    {
        if (m_entry != nullptr)
            exchange(m_original);
        s_watch = nullptr;
    }
    CGdiDeletionWatch(const CGdiDeletionWatch&) = delete;
    CGdiDeletionWatch& operator=(const CGdiDeletionWatch&) = delete;

    // False when the program's import of DeleteObject was not found: nothing is watched then.
    bool isWatching() const { return m_entry != nullptr; }
    void watch(HDC dc) { m_contexts.push_back(dc); }
    // Its current context, surface and any layer, whatever they are at the time of each deletion.
    void watch(const Brivant::GUI::Graphics::CGraphics& graphics) { m_graphics.push_back(&graphics); }

    long deletions() const { return m_deletions; }
    long deletionsWhileSelected() const { return m_whileSelected; }

private:
    typedef BOOL(WINAPI* DeleteFunction)(HGDIOBJ);

    static BOOL WINAPI deleteObject(HGDIOBJ object)
    {
        CGdiDeletionWatch& watch = *s_watch;
        ++watch.m_deletions;
        if (watch.isSelected(object))
            ++watch.m_whileSelected;
        return reinterpret_cast<DeleteFunction>(watch.m_original)(object);
    }

    bool isSelected(HGDIOBJ object) const
    {
        std::vector<HDC> contexts = m_contexts;
        for (const Brivant::GUI::Graphics::CGraphics* graphics : m_graphics)
        {
            contexts.push_back(graphics->getDeviceContext());
            contexts.push_back(graphics->getOffscreenImage().getMemoryContext());
        }
        static const UINT kTypes[4] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP};
        for (HDC dc : contexts)
            for (UINT type : kTypes)
                if (dc != nullptr && GetCurrentObject(dc, type) == object)
                    return true;
        return false;
    }

    void* exchange(void* replacement)
    {
        DWORD protection = 0;
        VirtualProtect(m_entry, sizeof(void*), PAGE_READWRITE, &protection);
        void* previous = *m_entry;
        *m_entry = replacement;
        VirtualProtect(m_entry, sizeof(void*), protection, &protection);
        return previous;
    }

    // The import address table slot through which the program calls the function.
    static void** findImport(const char* library, const char* function)
    {
        BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const IMAGE_NT_HEADERS* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (const IMAGE_IMPORT_DESCRIPTOR* entry =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name != 0; ++entry)
        {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0 ||
                entry->OriginalFirstThunk == 0)
                continue;
            const IMAGE_THUNK_DATA* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots)
            {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const IMAGE_IMPORT_BY_NAME* name =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(name->Name), function) == 0)
                    return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
        return nullptr;
    }

    static inline CGdiDeletionWatch* s_watch = nullptr;

    void** m_entry;
    void* m_original = nullptr;
    std::vector<HDC> m_contexts;
    std::vector<const Brivant::GUI::Graphics::CGraphics*> m_graphics;
    long m_deletions = 0;
    long m_whileSelected = 0;
};
} // namespace VolturaTests
