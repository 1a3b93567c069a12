// A host callback for in-process tests: answers like a VST 2.4 host and records every call it receives.
#pragma once

#include "vst/VstProtocol.hpp"

#include <set>
#include <string>
#include <vector>

class CRecordingHost
{
public:
    struct CCall
    {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        float opt;
        std::string text;
    };

    // Only one recording host is live at a time; the callback reaches it through a static pointer.
    CRecordingHost();
    ~CRecordingHost();

    static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                           void* ptr, float opt);

    std::vector<CCall> callsOf(VstInt32 opcode) const;

    VstIntPtr versionAnswer = 2400;
    VstIntPtr vendorVersionAnswer = 0;
    std::string vendorText = "Recording Vendor";
    std::string productText = "Recording Host";
    // Answered to audioMasterGetTime when set.
    VstTimeInfo* timeInfo = nullptr;
    VstIntPtr canDoNoAnswer = -1;
    std::set<std::string> canDoYes;
    std::vector<CCall> calls;

private:
    static CRecordingHost* s_current;
};
