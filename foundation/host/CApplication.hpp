// The process-wide application record: the product's texts, the library's folder and module handle, a main
// window and the processor's feature flags. Filled by the library's attach handler, torn down at detach.
#pragma once

namespace Brivant
{
namespace Basics
{
class CString;
class CSystemString;
} // namespace Basics

namespace IO
{
class CTextStream;
}

namespace Host
{
// The processor features the FPU report names.
struct SProcessorFlags
{
    bool mmx;
    bool sse;
    bool sse2;
    bool sse3;
    bool hyperThreading;
};

class CApplication
{
public:
    CApplication() = delete;

    // Stores the module handle, the six texts in order, then the library's folder and the processor flags.
    static void initialiseApplication(const char* company, const char* product, const char* description,
                                      const char* version, const char* registryKey, const char* notice,
                                      void* moduleHandle);
    // Deletes the texts and forgets the module handle, then deletes the class registry, writing its table to
    // path when one is given.
    static void uninitialiseApplication(const char* path);
    // Deletes the texts and the path; a later read creates " " again.
    static void deleteApplicationInformation();

    // Each setter creates its text as " " when it does not exist yet, then assigns.
    static void setCompanyName(const Basics::CString& text);
    static void setProductName(const Basics::CString& text);
    static void setDescriptionString(const Basics::CString& text);
    static void setVersionString(const Basics::CString& text);
    static void setRegistryKey(const Basics::CString& text);
    static void setNoticeString(const Basics::CString& text);
    static void setApplicationPath(const Basics::CSystemString& path);

    // The stored text, created as " " on first use; null only when that allocation fails.
    static Basics::CString* getCompanyName();
    static Basics::CString* getProductName();
    static Basics::CString* getDescriptionString();
    static Basics::CString* getVersionString();
    static Basics::CString* getRegistryKey();
    static Basics::CString* getNoticeString();
    // The library's folder, without a trailing separator.
    static Basics::CSystemString* getApplicationPath();

    // The library's instance handle as given at attach.
    static void* getModuleHandle();
    // The full path of the library file, and of the host program.
    static void getModulePath(Basics::CString& out);
    static void getExecutablePath(Basics::CString& out);
    // The module path with its last component removed.
    static void updateApplicationPath();

    static void setMainWindow(void* window);
    static void* getMainWindow();

    // Gets, translates and dispatches until the quit message; answers its code. The plug-ins never run it.
    static long runMessageLoop();
    static void quitApplication();

    // CPUID leaf 1, decoded by decodeProcessorFlags.
    static void readFPUInformation();
    // MMX, SSE, SSE2 and hyper-threading from EDX bits 23, 25, 26 and 28; SSE3 from ECX bit 0 or bit 28.
    static SProcessorFlags decodeProcessorFlags(unsigned int ecx, unsigned int edx);
    static SProcessorFlags getProcessorFlags();
    // Nothing unless the stream is open.
    static void writeFPUInformation(IO::CTextStream& stream);
    // A path without an extension gets "FPUStats.txt" appended as it is, so a folder must end with a separator.
    static void writeFPUInformationToFile(const Basics::CSystemString& path);
};
} // namespace Host
} // namespace Brivant
