// Application texts, held in function-local statics so they exist whatever the order of static construction.
#include "foundation/host/CApplication.hpp"

#include <string>

namespace Brivant
{
namespace Host
{
namespace
{
enum TextSlot
{
    kCompany,
    kProduct,
    kDescription,
    kVersion,
    kRegistryKey,
    kNotice,
    kTextCount
};

struct CApplicationRecord
{
    std::string texts[kTextCount] = {" ", " ", " ", " ", " ", " "};
    void* moduleHandle = nullptr;
};

CApplicationRecord& record()
{
    static CApplicationRecord theRecord;
    return theRecord;
}

void setText(TextSlot slot, const char* text)
{
    record().texts[slot] = text != nullptr ? text : " ";
}
} // namespace

void CApplication::initialiseApplication(const char* company, const char* product, const char* description,
                                         const char* version, const char* registryKey, const char* notice,
                                         void* moduleHandle)
{
    record().moduleHandle = moduleHandle;
    setText(kCompany, company);
    setText(kProduct, product);
    setText(kDescription, description);
    setText(kVersion, version);
    setText(kRegistryKey, registryKey);
    setText(kNotice, notice);
}

void CApplication::uninitialiseApplication(const char* /*path*/)
{
    record() = CApplicationRecord();
}

const char* CApplication::getCompanyName() { return record().texts[kCompany].c_str(); }
const char* CApplication::getProductName() { return record().texts[kProduct].c_str(); }
const char* CApplication::getDescriptionString() { return record().texts[kDescription].c_str(); }
const char* CApplication::getVersionString() { return record().texts[kVersion].c_str(); }
const char* CApplication::getRegistryKey() { return record().texts[kRegistryKey].c_str(); }
const char* CApplication::getNoticeString() { return record().texts[kNotice].c_str(); }
void* CApplication::getModuleHandle() { return record().moduleHandle; }
} // namespace Host
} // namespace Brivant
