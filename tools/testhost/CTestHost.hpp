// A VST 2.4 host for one plug-in: loads the DLL, answers its callbacks, records them and drives processing.
#pragma once

#include "vst/VstProtocol.hpp"

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class CTestHost
{
public:
    // One callback as the plug-in made it.
    struct SHostCall
    {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        float opt;
        // The text asked for by audioMasterCanDo, or the text answered for vendor and product strings.
        std::string text;
    };

    struct SStringReply
    {
        // Up to the terminator, or the whole buffer when the plug-in wrote none.
        std::string text;
        // Whether the terminator came within the limit given to queryString.
        bool terminatedWithin;
        VstIntPtr result;
    };

    static constexpr size_t kStringBufferSize = 256;
    // Pre-fills string buffers so bytes the plug-in did not write stay recognisable.
    static constexpr char kStringSentinel = '\x7E';

    CTestHost();
    ~CTestHost();
    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;

    // LoadLibraryA, then calls the exported main with the host callback. Both loads first unload what was
    // loaded and clear the record of callbacks, so it holds what the new library did (also when main refused).
    bool load(const std::string& path, std::string& error);
    // LoadLibraryA only, to test that the library attaches and detaches cleanly.
    bool loadLibraryOnly(const std::string& path, std::string& error);
    // Sends effClose if an effect exists, then FreeLibrary.
    void unload();
    bool isLibraryLoaded() const { return m_module != nullptr; }
    AEffect* effect() const { return m_effect; }
    // How long the last load's call of main took: the effect's (and its editor's) construction.
    double entrySeconds() const { return m_entrySeconds; }
    // When that call began and ended, in seconds of the steady clock.
    double entryBegan() const { return m_entryBegan; }
    double entryEnded() const { return m_entryEnded; }
    // How long the last load's LoadLibraryA took: mapping the library and its start-up (DllMain).
    double librarySeconds() const { return m_librarySeconds; }
    // Called by load with the library's module between LoadLibraryA and main (empty: nothing is called).
    void setBeforeEntry(std::function<void(void* module)> beforeEntry);

    // What audioMasterVersion answers; 0 makes a VST 2.4 plug-in refuse to start.
    void setHostVersion(VstIntPtr version);
    // The texts audioMasterCanDo answers 1 for.
    void setCanDoTexts(std::vector<std::string> texts);

    std::vector<SHostCall> calls() const;
    void clearCalls();

    // Returns 0 without an effect. effClose releases the effect, so it is forgotten afterwards.
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    // Hands the plug-in a kStringBufferSize buffer filled with kStringSentinel.
    SStringReply queryString(VstInt32 opcode, VstInt32 index = 0, size_t limit = kStringBufferSize,
                             VstIntPtr value = 0);

    // effOpen, effSetSampleRate, effSetBlockSize, effMainsChanged 1.
    void start(float sampleRate, VstInt32 blockSize);
    // effMainsChanged 0.
    void stop();
    float sampleRate() const;
    VstInt32 blockSize() const;

    // One processReplacing call: inputs holds numInputs channels of at least frames samples (they are copied,
    // so the plug-in cannot alter them); outputs becomes numOutputs channels of frames samples, handed to the
    // plug-in filled with NaN so any sample it leaves unwritten shows. False without an effect, without
    // processReplacing or with the wrong input channel count.
    bool process(const std::vector<std::vector<float>>& inputs, std::vector<std::vector<float>>& outputs,
                 VstInt32 frames);
    // Feeds the signal through in blocks of the block size. Input channel c of the plug-in gets
    // signal[c % signal.size()], so a side-chain pair gets a copy of the main pair. Returns numOutputs channels
    // as long as the signal, or nothing when processing is impossible or the channels differ in length.
    std::vector<std::vector<float>> render(const std::vector<std::vector<float>>& signal);

private:
    static VST_ENTRY_ALIGN VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                             VstIntPtr value, void* ptr, float opt);
    VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    void forgetEffect();

    void* m_module = nullptr;
    AEffect* m_effect = nullptr;
    double m_entrySeconds = 0.0;
    double m_entryBegan = 0.0;
    double m_entryEnded = 0.0;
    double m_librarySeconds = 0.0;
    std::function<void(void*)> m_beforeEntry;

    mutable std::mutex m_mutex;
    VstIntPtr m_hostVersion = kVstVersion;
    std::vector<std::string> m_canDoTexts;
    float m_sampleRate = 44100.0f;
    VstInt32 m_blockSize = 512;
    std::vector<SHostCall> m_calls;
};
