// What the host said it can do, asked once while the effect is built, with its names and version.
#pragma once

#include "foundation/basics/CString.hpp"

class AudioEffectX;

namespace Brivant
{
namespace Vst
{
class CVstEffect;

class CHostCanDo
{
public:
    // The capabilities asked, in the order they are asked.
    enum ECapability
    {
        kSendVstEvents,
        kSendVstMidiEvent,
        kSendVstTimeInfo,
        kReceiveVstEvents,
        kReceiveVstMidiEvent,
        kReceiveVstTimeInfo,
        kReportConnectionChanges,
        kAcceptIOChanges,
        kSizeWindow,
        kAsyncProcessing,
        kOffline,
        kSupplyIdle,
        kSupportShell,
        kEditFile,
        kCloseFileSelector,
        kStartStopProcess,
        kNumberOfCapabilities
    };

    CHostCanDo();
    explicit CHostCanDo(CVstEffect* effect);

    // Forgets everything, then asks the host each capability, its product, vendor and version.
    void setFromAudioEffectX(AudioEffectX* effect);
    void reset();

    bool canDo(ECapability capability) const;
    const Basics::CString& getHostProductString() const { return m_productString; }
    const Basics::CString& getHostVendorString() const { return m_vendorString; }
    long getHostVendorVersion() const { return m_vendorVersion; }

    static const char* capabilityText(ECapability capability);

private:
    bool m_capabilities[kNumberOfCapabilities];
    Basics::CString m_productString;
    Basics::CString m_vendorString;
    long m_vendorVersion;
};
} // namespace Vst
} // namespace Brivant
