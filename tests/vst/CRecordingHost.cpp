#include "CRecordingHost.hpp"

#include <cstring>

CRecordingHost* CRecordingHost::s_current = nullptr;

CRecordingHost::CRecordingHost()
{
    s_current = this;
}

CRecordingHost::~CRecordingHost()
{
    s_current = nullptr;
}

VstIntPtr VSTCALLBACK CRecordingHost::callback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                               void* ptr, float opt)
{
    CRecordingHost* host = s_current;
    if (host == nullptr)
        return 0;
    CCall call{opcode, index, value, opt, std::string()};
    if (opcode == audioMasterCanDo && ptr != nullptr)
        call.text = static_cast<const char*>(ptr);
    host->calls.push_back(call);
    switch (opcode)
    {
    case audioMasterVersion:
        return host->versionAnswer;
    case audioMasterCanDo:
        return host->canDoYes.count(call.text) != 0 ? 1 : host->canDoNoAnswer;
    case audioMasterGetVendorString:
        std::strcpy(static_cast<char*>(ptr), host->vendorText.c_str());
        return 1;
    case audioMasterGetProductString:
        std::strcpy(static_cast<char*>(ptr), host->productText.c_str());
        return 1;
    case audioMasterGetVendorVersion:
        return host->vendorVersionAnswer;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(host->timeInfo);
    case audioMasterGetSampleRate:
        return 96000;
    case audioMasterGetBlockSize:
        return 64;
    default:
        return 0;
    }
}

std::vector<CRecordingHost::CCall> CRecordingHost::callsOf(VstInt32 opcode) const
{
    std::vector<CCall> found;
    for (const CCall& call : calls)
        if (call.opcode == opcode)
            found.push_back(call);
    return found;
}
