#include "gui/core/CSystemDialogs.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;

namespace
{
using CFileBuffer = char[CSystemDialogs::kFileBufferSize];

// The flags both file dialogs share: a resizable explorer dialog that accepts only existing folders.
constexpr DWORD kFileDialogFlags = OFN_ENABLESIZING | OFN_LONGNAMES | OFN_EXPLORER | OFN_PATHMUSTEXIST;
constexpr UINT kFolderBrowserFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;

// A system library held only while one dialog is shown: importing the dialog libraries would start them with
// every load of the plug-in, and a host scanning its folder loads it again and again (under Wine each such
// cycle left a handle behind).
class CDialogLibrary
{
public:
    explicit CDialogLibrary(const char* name) : m_module(LoadLibraryA(name)) {}
    ~CDialogLibrary()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    CDialogLibrary(const CDialogLibrary&) = delete;
    CDialogLibrary& operator=(const CDialogLibrary&) = delete;

    // Null when the library or the function is missing.
    template <typename TFunction> TFunction* function(const char* name) const
    {
        // Through void* as the address is untyped; the caller names the function's true type.
        return m_module == nullptr
                   ? nullptr
                   : reinterpret_cast<TFunction*>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

bool showFileDialog(const char* name, OPENFILENAMEA& dialog)
{
    const CDialogLibrary library("comdlg32.dll");
    auto* show = library.function<BOOL WINAPI(OPENFILENAMEA*)>(name);
    return show != nullptr && show(&dialog) != FALSE;
}

class CSystemModalCalls : public CSystemDialogs::IModalCalls
{
public:
    int showMessageBox(const char* message, const char* title, unsigned int type) override
    {
        return MessageBoxA(nullptr, message, title, type);
    }

    void playBeep(unsigned int type) override { MessageBeep(type); }

    _ITEMIDLIST* browseForFolder(BROWSEINFOA& browse) override
    {
        const CDialogLibrary ole("ole32.dll");
        auto* initialise = ole.function<HRESULT WINAPI(void*, DWORD)>("CoInitializeEx");
        auto* uninitialise = ole.function<void WINAPI()>("CoUninitialize");
        if (initialise == nullptr || uninitialise == nullptr)
            return nullptr;
        // The new dialog style needs COM on the calling thread; a host thread that has it already keeps it.
        const HRESULT com = initialise(nullptr, COINIT_APARTMENTTHREADED);
        _ITEMIDLIST* item = SHBrowseForFolderA(&browse);
        if (SUCCEEDED(com))
            uninitialise();
        return item;
    }

    bool showSaveDialog(OPENFILENAMEA& dialog) override { return showFileDialog("GetSaveFileNameA", dialog); }
    bool showOpenDialog(OPENFILENAMEA& dialog) override { return showFileDialog("GetOpenFileNameA", dialog); }
};

CSystemDialogs::IModalCalls* s_modalCalls = nullptr;

CSystemDialogs::IModalCalls& modalCalls()
{
    static CSystemModalCalls systemCalls;
    return s_modalCalls != nullptr ? *s_modalCalls : systemCalls;
}

bool isBlank(const CString& text) { return text.equals("") || text.equals(" "); }

bool endsWithIgnoringCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && lstrcmpiA(text.c_str() + (text.size() - end.size()), end.c_str()) == 0;
}

// Description, "*." + extension, "All files (*.*)", "*.*", each ended by a NUL, and one more NUL ending the
// list. Texts too long for the buffer are cut, so the list always ends within it: the pattern to at most half
// the room, the description to what is left.
void buildFilter(CFileBuffer& filter, const char* description, const char* extension)
{
    static const char kAllFiles[] = "All files (*.*)\0*.*\0";
    std::memset(filter, 0, sizeof(filter));
    const std::string pattern = std::string("*.") + extension;
    const size_t room = sizeof(filter) - sizeof(kAllFiles) - 2;
    const size_t patternLength = std::min(pattern.size(), room / 2);
    const size_t descriptionLength = std::min(std::strlen(description), room - patternLength);
    char* at = filter;
    std::memcpy(at, description, descriptionLength);
    at += descriptionLength + 1;
    std::memcpy(at, pattern.data(), patternLength);
    at += patternLength + 1;
    std::memcpy(at, kAllFiles, sizeof(kAllFiles));
}

// The name the dialog starts with: empty for a blank path, else the path with the extension (not twice),
// cut to leave the buffer's last byte for the terminator.
void buildFileName(CFileBuffer& file, const CString& path, const char* extension)
{
    std::memset(file, 0, sizeof(file));
    if (isBlank(path))
        return;
    std::string name = path.getString();
    const std::string ending = std::string(".") + extension;
    if (!endsWithIgnoringCase(name, ending))
        name += ending;
    std::memcpy(file, name.data(), std::min(name.size(), sizeof(file) - 1));
}
} // namespace

void CSystemDialogs::setModalCalls(IModalCalls* calls) { s_modalCalls = calls; }

void CSystemDialogs::notifyUser(const CString& message, const CString& title, bool isError)
{
    modalCalls().showMessageBox(message.getString(), title.getString(), isError ? MB_ICONHAND : 0);
}

bool CSystemDialogs::askQuestion(const CString& message, const CString& title)
{
    return modalCalls().showMessageBox(message.getString(), title.getString(), MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void CSystemDialogs::beep() { modalCalls().playBeep(0); }

bool CSystemDialogs::browseForFolder(CSystemString& folder, const CString& title)
{
    try
    {
        char displayName[kFolderBufferSize] = {};
        BROWSEINFOA browse = {};
        browse.pszDisplayName = displayName;
        browse.lpszTitle = title.getString();
        browse.ulFlags = kFolderBrowserFlags;
        _ITEMIDLIST* item = modalCalls().browseForFolder(browse);
        if (item == nullptr)
            return false;
        char chosen[kFolderBufferSize] = {};
        const bool hasPath = SHGetPathFromIDListA(item, chosen) != FALSE;
        ILFree(item);
        if (!hasPath)
            return false;
        folder.setString(chosen);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

bool CSystemDialogs::getSaveFileName(const CSystemString& initialFolder, CSystemString& path, const CString& title,
                                     const CString& description, const CString& extension)
{
    return getFileName(true, initialFolder, path, title, description, extension);
}

bool CSystemDialogs::getOpenFileName(const CSystemString& initialFolder, CSystemString& path, const CString& title,
                                     const CString& description, const CString& extension)
{
    return getFileName(false, initialFolder, path, title, description, extension);
}

bool CSystemDialogs::getFileName(bool save, const CSystemString& initialFolder, CSystemString& path,
                                 const CString& title, const CString& description, const CString& extension)
{
    try
    {
        CFileBuffer filter;
        buildFilter(filter, description.getString(), extension.getString());
        CFileBuffer file;
        buildFileName(file, path, extension.getString());

        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof(dialog);
        dialog.lpstrFilter = filter;
        dialog.nFilterIndex = 0;
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof(file);
        dialog.lpstrInitialDir = isBlank(initialFolder) ? nullptr : initialFolder.getString();
        dialog.lpstrTitle = title.getString();
        // A file saved under a new name does not exist yet.
        dialog.Flags = save ? kFileDialogFlags : kFileDialogFlags | OFN_FILEMUSTEXIST;
        const bool chosen = save ? modalCalls().showSaveDialog(dialog) : modalCalls().showOpenDialog(dialog);
        if (!chosen)
            return false;
        file[sizeof(file) - 1] = '\0';
        path.setString(file);
        return true;
    }
    catch (...)
    {
        return false;
    }
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
