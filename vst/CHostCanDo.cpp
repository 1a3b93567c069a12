#include "vst/CHostCanDo.hpp"

#include "foundation/exceptions/CException.hpp"
#include "vst/CVstEffect.hpp"

#include <cstring>

namespace Brivant
{
namespace Vst
{
namespace
{
const char* const kCapabilityTexts[CHostCanDo::kNumberOfCapabilities] = {
    "sendVstEvents", "sendVstMidiEvent",        "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "reportConnectionChanges", "acceptIOChanges",
    "sizeWindow",    "asyncProcessing",         "offline",         "supplyIdle",
    "supportShell",  "editFile",                "closeFileSelector", "startStopProcess"};

// Room for any name a host writes; hosts are asked for at most 64 bytes but some write more.
constexpr size_t kHostTextSize = 256;
} // namespace

CHostCanDo::CHostCanDo() : m_productString(" "), m_vendorString(" "), m_vendorVersion(0)
{
    reset();
}

CHostCanDo::CHostCanDo(CVstEffect* effect) : CHostCanDo()
{
    setFromAudioEffectX(effect);
}

void CHostCanDo::reset()
{
    for (bool& capability : m_capabilities)
        capability = false;
    m_productString = " ";
    m_vendorString = " ";
    m_vendorVersion = 0;
}

void CHostCanDo::setFromAudioEffectX(AudioEffectX* effect)
{
    if (effect == nullptr)
        throw Exceptions::CException("Effect is NULL", "CHostCanDo::setFromAudioEffectX(AudioEffectX *)", true);
    reset();
    for (int capability = 0; capability < kNumberOfCapabilities; ++capability)
    {
        char question[32];
        std::strcpy(question, kCapabilityTexts[capability]);
        m_capabilities[capability] = effect->canHostDo(question) == 1;
    }
    char text[kHostTextSize] = {};
    effect->getHostProductString(text);
    text[kHostTextSize - 1] = 0;
    m_productString = text;
    std::memset(text, 0, sizeof(text));
    effect->getHostVendorString(text);
    text[kHostTextSize - 1] = 0;
    m_vendorString = text;
    m_vendorVersion = effect->getHostVendorVersion();
}

bool CHostCanDo::canDo(ECapability capability) const
{
    return capability >= 0 && capability < kNumberOfCapabilities && m_capabilities[capability];
}

const char* CHostCanDo::capabilityText(ECapability capability)
{
    if (capability < 0 || capability >= kNumberOfCapabilities)
        return "";
    return kCapabilityTexts[capability];
}
} // namespace Vst
} // namespace Brivant
