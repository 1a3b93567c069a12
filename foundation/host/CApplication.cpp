#include "foundation/host/CApplication.hpp"

#include "foundation/basics/CClass.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CTrace.hpp"
#include "foundation/io/CTextStream.hpp"

#include <windows.h>

#include <cpuid.h>

#include <string>

namespace Brivant
{
namespace Host
{
using Basics::CString;
using Basics::CSystemString;

namespace
{
constexpr DWORD kPathBufferSize = 1024;
const char kReportFileName[] = "FPUStats.txt";
const char kReportRule[] = "----------------------------------\n";

// Plain pointers and values are constant-initialised: they are empty before any static constructor runs.
CString* s_companyName = nullptr;
CString* s_productName = nullptr;
CString* s_description = nullptr;
CString* s_version = nullptr;
CString* s_registryKey = nullptr;
CString* s_notice = nullptr;
CSystemString* s_applicationPath = nullptr;
void* s_moduleHandle = nullptr;
void* s_mainWindow = nullptr;
SProcessorFlags s_processorFlags = {false, false, false, false, false};

template <class Text>
Text* existingText(Text*& slot)
{
    if (slot == nullptr)
    {
        try
        {
            slot = new Text(" ");
        }
        catch (...)
        {
            slot = nullptr;
        }
    }
    return slot;
}

template <class Text, class Value>
void storeText(Text*& slot, const Value& value)
{
    Text* text = existingText(slot);
    if (text != nullptr)
        *text = value;
}

template <class Text>
void deleteText(Text*& slot)
{
    delete slot;
    slot = nullptr;
}

// The text in the ANSI code page, with '?' for a character that has no form there, which makes it false.
bool toAnsi(const std::wstring& text, std::string& out)
{
    out.clear();
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lost);
    if (size <= 0)
        return false;
    out.assign(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return !lost;
}

// The path with its folder in the short form, which has ANSI names where the long ones may not. Only the
// folder reaches the files beside the library, so the file name keeps its long form where it has an ANSI
// one, else its short form, else the '?' marks of either.
bool toShortFolderPath(const std::wstring& path, std::string& out)
{
    wchar_t shortPath[kPathBufferSize] = {};
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath, kPathBufferSize);
    const std::wstring whole(shortPath);
    const size_t longCut = path.rfind(L'\\');
    const size_t cut = whole.rfind(L'\\');
    if (length == 0 || length >= kPathBufferSize || longCut == std::wstring::npos || cut == std::wstring::npos ||
        !toAnsi(whole.substr(0, cut), out))
        return false;
    std::string name;
    if (!toAnsi(path.substr(longCut), name))
        toAnsi(whole.substr(cut), name);
    out += name;
    return true;
}

// Hosts load libraries through wide paths, which the ANSI code page cannot always name: the '?' it puts in
// their place would leave every file beside the library out of reach.
void readModuleFileName(HMODULE module, CString& out)
{
    wchar_t wide[kPathBufferSize] = {};
    // One character short of the buffer, so a cut path keeps its terminator.
    GetModuleFileNameW(module, wide, kPathBufferSize - 1);
    std::string path;
    if (toAnsi(wide, path) || toShortFolderPath(wide, path))
    {
        out = path.c_str();
        return;
    }
    char lossy[kPathBufferSize] = {};
    GetModuleFileNameA(module, lossy, kPathBufferSize - 1);
    out = lossy;
    static bool s_traced = false;
    if (!s_traced)
        CTrace::trace("The folder of %s has no name in the system's code page; files beside it cannot be opened",
                      lossy);
    s_traced = true;
}

bool bit(unsigned int word, int index) { return (word >> index & 1u) != 0; }
} // namespace

void CApplication::initialiseApplication(const char* company, const char* product, const char* description,
                                         const char* version, const char* registryKey, const char* notice,
                                         void* moduleHandle)
{
    s_moduleHandle = moduleHandle;
    setCompanyName(CString(company));
    setProductName(CString(product));
    setDescriptionString(CString(description));
    setVersionString(CString(version));
    setRegistryKey(CString(registryKey));
    setNoticeString(CString(notice));
    updateApplicationPath();
    readFPUInformation();
}

void CApplication::uninitialiseApplication(const char* path)
{
    deleteApplicationInformation();
    // The library is going away: its handle must not outlive it.
    s_moduleHandle = nullptr;
    Basics::CClass::destroyClassManager(path);
}

void CApplication::deleteApplicationInformation()
{
    deleteText(s_companyName);
    deleteText(s_productName);
    deleteText(s_description);
    deleteText(s_version);
    deleteText(s_registryKey);
    deleteText(s_notice);
    deleteText(s_applicationPath);
}

void CApplication::setCompanyName(const CString& text) { storeText(s_companyName, text); }
void CApplication::setProductName(const CString& text) { storeText(s_productName, text); }
void CApplication::setDescriptionString(const CString& text) { storeText(s_description, text); }
void CApplication::setVersionString(const CString& text) { storeText(s_version, text); }
void CApplication::setRegistryKey(const CString& text) { storeText(s_registryKey, text); }
void CApplication::setNoticeString(const CString& text) { storeText(s_notice, text); }
void CApplication::setApplicationPath(const CSystemString& path) { storeText(s_applicationPath, path); }

CString* CApplication::getCompanyName() { return existingText(s_companyName); }
CString* CApplication::getProductName() { return existingText(s_productName); }
CString* CApplication::getDescriptionString() { return existingText(s_description); }
CString* CApplication::getVersionString() { return existingText(s_version); }
CString* CApplication::getRegistryKey() { return existingText(s_registryKey); }
CString* CApplication::getNoticeString() { return existingText(s_notice); }
CSystemString* CApplication::getApplicationPath() { return existingText(s_applicationPath); }

void* CApplication::getModuleHandle() { return s_moduleHandle; }

void CApplication::getModulePath(CString& out) { readModuleFileName(static_cast<HMODULE>(s_moduleHandle), out); }

void CApplication::getExecutablePath(CString& out) { readModuleFileName(nullptr, out); }

void CApplication::updateApplicationPath()
{
    CString modulePath("");
    getModulePath(modulePath);
    CSystemString folder(modulePath);
    folder.removeLastPathComponent();
    setApplicationPath(folder);
}

void CApplication::setMainWindow(void* window) { s_mainWindow = window; }
void* CApplication::getMainWindow() { return s_mainWindow; }

long CApplication::runMessageLoop()
{
    MSG message = {};
    // GetMessageA answers -1 on failure, which must end the loop as the quit message does.
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<long>(message.wParam);
}

void CApplication::quitApplication() { PostQuitMessage(0); }

void CApplication::readFPUInformation()
{
    unsigned int eax = 0;
    unsigned int ebx = 0;
    unsigned int ecx = 0;
    unsigned int edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        ecx = edx = 0;
    s_processorFlags = decodeProcessorFlags(ecx, edx);
}

SProcessorFlags CApplication::decodeProcessorFlags(unsigned int ecx, unsigned int edx)
{
    SProcessorFlags flags;
    flags.mmx = bit(edx, 23);
    flags.sse = bit(edx, 25);
    flags.sse2 = bit(edx, 26);
    flags.sse3 = (ecx & 0x10000001u) != 0;
    flags.hyperThreading = bit(edx, 28);
    return flags;
}

SProcessorFlags CApplication::getProcessorFlags() { return s_processorFlags; }

void CApplication::writeFPUInformation(IO::CTextStream& stream)
{
    if (!stream.isStreamOpenForWriting())
        return;
    const SProcessorFlags& flags = s_processorFlags;
    stream << "Brivant FPU info extraction tool \n" << kReportRule;
    stream << "Has MMX : " << flags.mmx << "\n";
    stream << "Has SSE : " << flags.sse << "\n";
    stream << "Has SSE2: " << flags.sse2 << "\n";
    stream << "Has SSE3: " << flags.sse3 << "\n";
    stream << "Has HT  : " << flags.hyperThreading << "\n";
    stream << kReportRule;
}

void CApplication::writeFPUInformationToFile(const CSystemString& path)
{
    CSystemString file(path);
    if (!file.hasExtension())
        file.appendString(kReportFileName);
    IO::CTextStream stream(file, IO::CTextStream::kWriting);
    writeFPUInformation(stream);
    stream.closeStream();
}
} // namespace Host
} // namespace Brivant
