#include "vst/CVstEffect.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/host/CApplication.hpp"
#include "foundation/threading/CCriticalSection.hpp"
#include "vst/CHostText.hpp"

#include <cstring>

namespace Brivant
{
namespace Vst
{
namespace
{
constexpr size_t kNameField = kVstMaxNameLen;

// The host's name fields are written whole: zero-filled, at most 23 characters and the terminator. A text
// the application record could not create leaves the name empty.
bool writeNameField(char* text, const Basics::CString* name)
{
    if (text == nullptr)
        return false;
    std::memset(text, 0, kNameField);
    if (name != nullptr)
        CHostText::copyCut(text, name->getString(), kNameField - 1);
    return true;
}
} // namespace

CVstEffect::CVstEffect(audioMasterCallback audioMaster, long numParams, long numPrograms)
    : AudioEffectX(audioMaster, static_cast<VstInt32>(numPrograms), static_cast<VstInt32>(numParams)),
      m_tempoReader(this), m_tempo(120.0), m_lastSampleRate(getSampleRate()), m_lastBlockSize(getBlockSize()),
      m_blockSizeChanged(false), m_sampleRateChanged(false), m_criticalSection(nullptr)
{
    m_hostCanDo.setFromAudioEffectX(this);
    m_midiEvents.setChannel(0);
    m_criticalSection = new Threading::CCriticalSection();
    m_criticalSection->referenced();
}

CVstEffect::~CVstEffect()
{
    m_criticalSection->dereference();
}

void CVstEffect::resume()
{
    AudioEffectX::resume();
}

void CVstEffect::setSampleRate(float sampleRate)
{
    AudioEffectX::setSampleRate(sampleRate);
    if (static_cast<double>(sampleRate) != m_lastSampleRate)
    {
        m_sampleRateChanged = true;
        m_lastSampleRate = sampleRate;
    }
}

void CVstEffect::setBlockSize(VstInt32 blockSize)
{
    AudioEffectX::setBlockSize(blockSize);
    if (blockSize != m_lastBlockSize)
    {
        m_blockSizeChanged = true;
        m_lastBlockSize = blockSize;
    }
}

void CVstEffect::processReplacing(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/)
{
    m_midiEvents.clearEvents();
}

void CVstEffect::processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/)
{
    m_midiEvents.clearEvents();
}

void CVstEffect::processAccumulating(float** /*inputs*/, float** /*outputs*/, long /*sampleFrames*/)
{
    m_midiEvents.clearEvents();
}

VstInt32 CVstEffect::processEvents(VstEvents* events)
{
    m_midiEvents.addHostEvents(events);
    return 1;
}

void CVstEffect::setMidiChannel(long channel)
{
    m_midiEvents.setChannel(channel);
}

void CVstEffect::setProgramName(char* name)
{
    std::strcpy(name, "Default");
}

void CVstEffect::getProgramName(char* name)
{
    std::strcpy(name, "Default");
}

void CVstEffect::getParameterLabel(VstInt32 /*index*/, char* label)
{
    std::strcpy(label, "No param");
}

void CVstEffect::getParameterDisplay(VstInt32 /*index*/, char* text)
{
    std::strcpy(text, "No param");
}

void CVstEffect::getParameterName(VstInt32 /*index*/, char* text)
{
    std::strcpy(text, "No param");
}

bool CVstEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* text)
{
    std::strcpy(text, "Default");
    return true;
}

bool CVstEffect::getEffectName(char* name)
{
    return writeNameField(name, Host::CApplication::getProductName());
}

bool CVstEffect::getVendorString(char* text)
{
    return writeNameField(text, Host::CApplication::getCompanyName());
}

bool CVstEffect::getProductString(char* text)
{
    return writeNameField(text, Host::CApplication::getDescriptionString());
}
} // namespace Vst
} // namespace Brivant
