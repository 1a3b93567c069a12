#include "CTestHost.hpp"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <map>
#include <utility>

namespace
{
typedef AEffect*(VSTCALLBACK* PluginEntryProc)(audioMasterCallback host);

// Plug-ins hand at least this much room for the vendor and product strings.
constexpr size_t kHostStringSize = 64;
const char kVendorString[] = "Voltura";
const char kProductString[] = "Test Host";
constexpr VstIntPtr kVendorVersion = 1000;

// The callback only receives an AEffect*, so every host registers the effect it owns. Calls made
// while main runs may come before the effect is known (audioMasterVersion even has a null effect);
// they belong to the host that is loading, and loads are serialised so there is only one.
std::mutex g_loadMutex;
std::mutex g_registryMutex;
std::map<const AEffect*, CTestHost*> g_hosts;
CTestHost* g_loadingHost = nullptr;

std::string systemErrorText(DWORD code)
{
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, sizeof(buffer), nullptr);
    while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r' || buffer[length - 1] == ' '))
        buffer[--length] = '\0';
    std::string text = "error " + std::to_string(code);
    if (length > 0)
        text += ": " + std::string(buffer, length);
    return text;
}
} // namespace

CTestHost::CTestHost()
    : m_canDoTexts{"sendVstEvents",  "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
                   "receiveVstMidiEvent", "sizeWindow", "supplyIdle"}
{
}

CTestHost::~CTestHost()
{
    unload();
}

bool CTestHost::loadLibraryOnly(const std::string& path, std::string& error)
{
    unload();
    clearCalls();
    const auto started = std::chrono::steady_clock::now();
    HMODULE module = LoadLibraryA(path.c_str());
    m_librarySeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (module == nullptr)
    {
        error = "cannot load '" + path + "' (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    m_module = module;
    return true;
}

bool CTestHost::load(const std::string& path, std::string& error)
{
    m_entrySeconds = 0.0;
    m_entryBegan = 0.0;
    m_entryEnded = 0.0;
    if (!loadLibraryOnly(path, error))
        return false;
    HMODULE module = static_cast<HMODULE>(m_module);
    if (m_beforeEntry)
        m_beforeEntry(module);
    // Through the generic function pointer type, which converts to any other without a warning.
    const PluginEntryProc entry =
        reinterpret_cast<PluginEntryProc>(reinterpret_cast<void (*)()>(GetProcAddress(module, "main")));
    if (entry == nullptr)
    {
        error = "'" + path + "' has no export 'main'";
        unload();
        return false;
    }

    AEffect* effect = nullptr;
    {
        std::lock_guard<std::mutex> loadLock(g_loadMutex);
        {
            std::lock_guard<std::mutex> lock(g_registryMutex);
            g_loadingHost = this;
        }
        const auto started = std::chrono::steady_clock::now();
        effect = entry(&CTestHost::hostCallback);
        const auto ended = std::chrono::steady_clock::now();
        m_entrySeconds = std::chrono::duration<double>(ended - started).count();
        m_entryBegan = std::chrono::duration<double>(started.time_since_epoch()).count();
        m_entryEnded = std::chrono::duration<double>(ended.time_since_epoch()).count();
        std::lock_guard<std::mutex> lock(g_registryMutex);
        g_loadingHost = nullptr;
        if (effect != nullptr && effect->magic == kEffectMagic)
            g_hosts[effect] = this;
    }
    if (effect == nullptr)
    {
        error = "'main' of '" + path + "' returned no effect";
        unload();
        return false;
    }
    if (effect->magic != kEffectMagic)
    {
        // Nothing about such a record can be trusted, not even its dispatcher, so it is not closed.
        error = "'main' of '" + path + "' returned a record without the effect magic";
        unload();
        return false;
    }
    m_effect = effect;
    return true;
}

void CTestHost::unload()
{
    if (m_effect != nullptr)
    {
        dispatch(effClose);
        forgetEffect();
    }
    if (m_module != nullptr)
    {
        FreeLibrary(static_cast<HMODULE>(m_module));
        m_module = nullptr;
    }
}

void CTestHost::forgetEffect()
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    g_hosts.erase(m_effect);
    m_effect = nullptr;
}

void CTestHost::setBeforeEntry(std::function<void(void*)> beforeEntry)
{
    m_beforeEntry = std::move(beforeEntry);
}

void CTestHost::setHostVersion(VstIntPtr version)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hostVersion = version;
}

void CTestHost::setCanDoTexts(std::vector<std::string> texts)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_canDoTexts = std::move(texts);
}

std::vector<CTestHost::SHostCall> CTestHost::calls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

void CTestHost::clearCalls()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
}

float CTestHost::sampleRate() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sampleRate;
}

VstInt32 CTestHost::blockSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_blockSize;
}

VstIntPtr CTestHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (m_effect == nullptr || m_effect->dispatcher == nullptr)
        return 0;
    const VstIntPtr result = m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt);
    if (opcode == effClose)
        forgetEffect();
    return result;
}

CTestHost::SStringReply CTestHost::queryString(VstInt32 opcode, VstInt32 index, size_t limit, VstIntPtr value)
{
    char buffer[kStringBufferSize];
    std::memset(buffer, kStringSentinel, sizeof(buffer));
    SStringReply reply;
    reply.result = dispatch(opcode, index, value, buffer, 0.0f);
    const char* terminator = static_cast<const char*>(std::memchr(buffer, 0, sizeof(buffer)));
    const size_t length = terminator != nullptr ? static_cast<size_t>(terminator - buffer) : sizeof(buffer);
    reply.text.assign(buffer, length);
    reply.terminatedWithin = terminator != nullptr && length < limit;
    return reply;
}

void CTestHost::start(float sampleRate, VstInt32 blockSize)
{
    {
        // Set first, so a plug-in asking the host during effOpen already gets the new values.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sampleRate = sampleRate;
        m_blockSize = blockSize;
    }
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void CTestHost::stop()
{
    dispatch(effMainsChanged, 0, 0);
}

bool CTestHost::process(const std::vector<std::vector<float>>& inputs, std::vector<std::vector<float>>& outputs,
                        VstInt32 frames)
{
    if (m_effect == nullptr || m_effect->processReplacing == nullptr || frames < 0 || m_effect->numInputs < 0 ||
        m_effect->numOutputs < 0 || inputs.size() != static_cast<size_t>(m_effect->numInputs))
        return false;
    const size_t length = static_cast<size_t>(frames);
    for (const auto& channel : inputs)
    {
        if (channel.size() < length)
            return false;
    }

    std::vector<std::vector<float>> inputCopies(inputs.size());
    std::vector<float*> inputPointers;
    for (size_t channel = 0; channel < inputs.size(); ++channel)
    {
        inputCopies[channel].assign(inputs[channel].begin(), inputs[channel].begin() + frames);
        inputPointers.push_back(inputCopies[channel].data());
    }
    outputs.assign(static_cast<size_t>(m_effect->numOutputs),
                   std::vector<float>(length, std::numeric_limits<float>::quiet_NaN()));
    std::vector<float*> outputPointers;
    for (auto& channel : outputs)
        outputPointers.push_back(channel.data());

    m_effect->processReplacing(m_effect, inputPointers.data(), outputPointers.data(), frames);
    return true;
}

std::vector<std::vector<float>> CTestHost::render(const std::vector<std::vector<float>>& signal)
{
    if (m_effect == nullptr || signal.empty() || m_effect->numInputs < 0 || m_effect->numOutputs < 0)
        return {};
    const size_t length = signal[0].size();
    for (const auto& channel : signal)
    {
        if (channel.size() != length)
            return {};
    }
    const size_t block = static_cast<size_t>(std::max<VstInt32>(1, blockSize()));

    std::vector<std::vector<float>> result(static_cast<size_t>(m_effect->numOutputs), std::vector<float>(length));
    std::vector<std::vector<float>> blockInputs(static_cast<size_t>(m_effect->numInputs));
    std::vector<std::vector<float>> blockOutputs;
    for (size_t position = 0; position < length; position += block)
    {
        const size_t frames = std::min(block, length - position);
        for (size_t channel = 0; channel < blockInputs.size(); ++channel)
        {
            const std::vector<float>& source = signal[channel % signal.size()];
            blockInputs[channel].assign(source.begin() + static_cast<std::ptrdiff_t>(position),
                                        source.begin() + static_cast<std::ptrdiff_t>(position + frames));
        }
        if (!process(blockInputs, blockOutputs, static_cast<VstInt32>(frames)))
            return {};
        for (size_t channel = 0; channel < result.size(); ++channel)
            std::copy(blockOutputs[channel].begin(), blockOutputs[channel].end(),
                      result[channel].begin() + static_cast<std::ptrdiff_t>(position));
    }
    return result;
}

VstIntPtr VSTCALLBACK CTestHost::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt)
{
    CTestHost* host = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_registryMutex);
        const auto found = g_hosts.find(effect);
        host = found != g_hosts.end() ? found->second : g_loadingHost;
    }
    // A call from an effect no host owns (any more) gets the answer for "not supported".
    if (host == nullptr)
        return 0;
    return host->answer(opcode, index, value, ptr, opt);
}

VstIntPtr CTestHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    SHostCall call{opcode, index, value, opt, std::string()};
    VstIntPtr result = 0;
    switch (opcode)
    {
    case audioMasterVersion:
        result = m_hostVersion;
        break;
    case audioMasterGetSampleRate:
        result = static_cast<VstIntPtr>(m_sampleRate);
        break;
    case audioMasterGetBlockSize:
        result = m_blockSize;
        break;
    case audioMasterCanDo:
        if (ptr != nullptr)
        {
            // Bounded, in case the plug-in passes an unterminated text.
            const char* text = static_cast<const char*>(ptr);
            call.text.assign(text, strnlen(text, kStringBufferSize));
            result = std::find(m_canDoTexts.begin(), m_canDoTexts.end(), call.text) != m_canDoTexts.end() ? 1 : 0;
        }
        break;
    case audioMasterGetVendorString:
    case audioMasterGetProductString:
        if (ptr != nullptr)
        {
            call.text = opcode == audioMasterGetVendorString ? kVendorString : kProductString;
            static_assert(sizeof(kVendorString) <= kHostStringSize && sizeof(kProductString) <= kHostStringSize,
                          "host strings fit the plug-in's buffer");
            std::memcpy(ptr, call.text.c_str(), call.text.size() + 1);
            result = 1;
        }
        break;
    case audioMasterGetVendorVersion:
        result = kVendorVersion;
        break;
    case audioMasterWantMidi:
    case audioMasterAutomate:
        result = 1;
        break;
    default:
        // audioMasterGetTime included: this host has no transport, so it answers null.
        result = 0;
        break;
    }
    m_calls.push_back(call);
    return result;
}
