// Process-wide application information: the names the plug-in reports and the module it was loaded from.
#pragma once

namespace Brivant
{
namespace Host
{
class CApplication
{
public:
    CApplication() = delete;

    static void initialiseApplication(const char* company, const char* product, const char* description,
                                      const char* version, const char* registryKey, const char* notice,
                                      void* moduleHandle);
    static void uninitialiseApplication(const char* path);

    // Each text reads " " until it is set, and again after the application is uninitialised.
    static const char* getCompanyName();
    static const char* getProductName();
    static const char* getDescriptionString();
    static const char* getVersionString();
    static const char* getRegistryKey();
    static const char* getNoticeString();
    static void* getModuleHandle();
};
} // namespace Host
} // namespace Brivant
