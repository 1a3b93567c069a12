// What both editions' effects do alike, from the edition's parameter table: the program table, the parameter
// objects and their texts, the host extension, the compressor, the dry and wet rings, MIDI control and the editor
// updates. Each edition adds its own parameters' effects and its block path.
#pragma once

#include "compressor/CCompressorSC.hpp"
#include "compressor/CHolvaneShared.hpp"
#include "compressor/CParameterDescription.hpp"
#include "compressor/CProgramDefinition.hpp"
#include "editor/CVstWindow.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/mathtools/CDenormalGuard.hpp"
#include "vst/CHostText.hpp"
#include "vst/CVstEffect.hpp"
#include "vst/CVstParam.hpp"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace Brivant
{
namespace Holvane
{
// The edition's table gives the parameter names (kMaster ...), kParameterTable and kProgramTable.
template <class Table>
class THolvaneEffect : public Vst::CVstEffect, public Table
{
public:
    static constexpr int kNumberOfParameters = static_cast<int>(std::size(Table::kParameterTable));
    static constexpr int kNumberOfPrograms = static_cast<int>(std::size(Table::kProgramTable));
    static constexpr int kRingSize = CHolvaneShared::kRingSize;
    // The meter value reaches the editor beyond the parameters, leaving one index free after the last.
    static constexpr long kMeterIndex = kNumberOfParameters + 1;

    // The parameters both editions have, at the indexes MIDI control and the shared rules use.
    static_assert(Table::kMaster == 0 && Table::kThreshold == 1 && Table::kRatio == 2 && Table::kAttack == 3 &&
                      Table::kRelease == 4 && Table::kMix == 5,
                  "the shared parameters come first");

    explicit THolvaneEffect(audioMasterCallback audioMaster)
        : CVstEffect(audioMaster, Parameters, Programs), m_programs(nullptr),
          m_samplingRate(CHolvaneShared::usableSampleRate(0.0f)), m_ringPosition(0), m_mix(1.0f),
          m_compressorLeftOut(false)
    {
    }

    ~THolvaneEffect() override { delete[] m_programs; }

    void setParameter(VstInt32 index, float value) override { applyParameter(m_currentProgram.load(), index, value); }

    float getParameter(VstInt32 index) override
    {
        if (!isParameterIndex(index))
            return 0.0f;
        return hostValue(description(index), parameter(index)->getNormalisedValue());
    }

    void setProgram(VstInt32 program) override
    {
        if (!isProgramIndex(program))
            return;
        CVstEffect::setProgram(program);
        for (int index = 0; index < Parameters; ++index)
        {
            // Another thread's program change took over: the last one to start wins.
            if (m_currentProgram.load() != program)
                return;
            applyParameter(program, index, m_programs[program].values[index].load(std::memory_order_relaxed));
        }
    }

    void setProgramName(char* name) override
    {
        CHostText::copyCut(m_programs[m_currentProgram].name, name, CProgram::kNameSize - 1);
    }

    void getProgramName(char* name) override
    {
        CHostText::copyCut(name, m_programs[m_currentProgram].name, CProgram::kNameSize - 1);
    }

    bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) override
    {
        if (!isProgramIndex(index))
            return false;
        CHostText::copyCut(text, m_programs[index].name, CProgram::kNameSize - 1);
        return true;
    }

    void getParameterName(VstInt32 index, char* text) override
    {
        if (isParameterIndex(index))
            parameter(index)->getName(text);
        else
            *text = 0;
    }

    void getParameterLabel(VstInt32 index, char* label) override
    {
        if (isParameterIndex(index))
            parameter(index)->getLabel(label);
        else
            *label = 0;
    }

    void getParameterDisplay(VstInt32 index, char* text) override
    {
        if (!isParameterIndex(index))
            *text = 0;
        else if (index == Table::kRatio)
            CHolvaneShared::ratioDisplay(*this, parameter(index)->getRealValue(), text);
        else
            parameter(index)->getDisplayText(text);
    }

    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override
    {
        return CHolvaneShared::mainPinProperties(index, false, properties);
    }

    VstInt32 canDo(char* text) override { return CHolvaneShared::canDo(text); }

    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override
    {
        if (CHolvaneShared::vendorRange(index, value, ptr, Table::kParameterTable, Parameters) ||
            CHolvaneShared::vendorValueText(index, value, ptr, opt, Parameters))
            return CHolvaneShared::kVendorAnswer;
        // The host extension names option parameters itself.
        if (index == effGetParamName && value >= 0 && value < Parameters &&
            description(static_cast<int>(value)).kind == EParameterKind::kOptions)
            return CHolvaneShared::kVendorAnswer;
        return 0;
    }

    VstInt32 processEvents(VstEvents* events) override
    {
        // A second call in the same block brings new events; the earlier ones were applied already.
        long first = getMidiEvents().getNumberOfEvents();
        CVstEffect::processEvents(events);
        CHolvaneShared::applyControlChanges(*this, getMidiEvents(), first, Programs);
        return 1;
    }

    void resume() override
    {
        CVstEffect::resume();
        m_samplingRate = CHolvaneShared::usableSampleRate(getSampleRate());
        m_compressor.getPointer()->setSampleRate(m_samplingRate);
        m_compressor.getPointer()->setEnvelope(CCompressorSC::kEnvelopeFloor);
        m_ringPosition.store(0, std::memory_order_relaxed);
        clearRing();
    }

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        MathTools::CDenormalGuard denormals;
        processBlock(inputs, outputs, sampleFrames, true);
        CVstEffect::processReplacing(inputs, outputs, sampleFrames);
    }

    void processAccumulating(float** inputs, float** outputs, long sampleFrames) override
    {
        MathTools::CDenormalGuard denormals;
        processBlock(inputs, outputs, sampleFrames, false);
        CVstEffect::processAccumulating(inputs, outputs, sampleFrames);
    }

    virtual void processBlock(float** inputs, float** outputs, long sampleFrames, bool replacing) = 0;

    float getSamplingRate() const { return m_samplingRate; }

    static const CParameterDescription& description(int index) { return Table::kParameterTable[index]; }

    // A new object of parameter `index` as the effect holds it; the editors keep copies to write their value
    // labels. Null outside the table.
    static CVstParam* newParameter(int index)
    {
        if (index < 0 || index >= Parameters)
            return nullptr;
        const CParameterDescription& row = description(index);
        if constexpr (hasOptions(Table::kParameterTable))
        {
            if (row.kind == EParameterKind::kOptions)
                return newOptionParameter(row);
        }
        return newNumberParameter(row);
    }

protected:
    static constexpr int Parameters = kNumberOfParameters;
    static constexpr int Programs = kNumberOfPrograms;
    using CProgram = THolvaneProgram<Parameters>;

    // One run of at most kFrames frames of the host's block. Missing inputs read as silence, missing outputs
    // are skipped; replacing stores, accumulating adds.
    class CRun
    {
    public:
        static constexpr long kFrames = 64;

        CRun(float** inputs, float** outputs, long done, long remaining)
            : frames(std::min(kFrames, remaining)), m_inputs(inputs), m_done(done),
              m_left(channel(outputs, 0)), m_right(channel(outputs, 1))
        {
        }

        const float* input(int index) const
        {
            static const float kSilence[kFrames] = {};
            const float* samples = channel(m_inputs, index);
            return samples != nullptr ? samples : kSilence;
        }

        void write(long i, float left, float right, bool replacing) const
        {
            if (m_left != nullptr)
                m_left[i] = replacing ? left : m_left[i] + left;
            if (m_right != nullptr)
                m_right[i] = replacing ? right : m_right[i] + right;
        }

        const long frames;

    private:
        float* channel(float** channels, int index) const
        {
            return channels != nullptr && channels[index] != nullptr ? channels[index] + m_done : nullptr;
        }

        float** m_inputs;
        long m_done;
        float* m_left;
        float* m_right;
    };

    // Host, MIDI and editor all come through here: a value outside 0..1 is clamped, NaN is no value. The value is
    // stored in the given program's record, which a program change on another thread cannot swap underneath.
    void applyParameter(VstInt32 program, VstInt32 index, float value)
    {
        if (!isParameterIndex(index) || !CHolvaneShared::clampHostValue(value))
            return;
        CVstParam* changed = parameter(index);
        changed->setValue(heldValue(description(index), value));
        // The value itself, not the shared object's, which another thread may have changed meanwhile.
        m_programs[program].values[index].store(value, std::memory_order_relaxed);
        CCompressorSC* compressor = m_compressor.getPointer();
        switch (index)
        {
        case Table::kThreshold:
            compressor->setThreshold(changed->getRealValue());
            break;
        case Table::kRatio:
            // The object holds the slope's side of the range: host 0 is 1:1, host 1 is 20:1.
            compressor->setSlope(changed->getRealValue());
            break;
        case Table::kAttack:
            compressor->getAttack().setTime(changed->getRealValue());
            break;
        case Table::kRelease:
            compressor->getRelease().setTime(changed->getRealValue());
            break;
        default:
            break;
        }
        parameterChanged(index, value);
        Vst::CVstWindow* editor = editorWindow();
        if (editor != nullptr && !editor->isUpdatingEffect())
            editor->updateParameter(index, value);
    }

    // What a parameter's new value does besides the compressor settings both editions share.
    virtual void parameterChanged(int index, float value) = 0;
    // Empties every ring the edition keeps.
    virtual void clearRing()
    {
        for (float* ring : {m_wetLeft, m_wetRight, m_dryLeft, m_dryRight})
            std::fill(ring, ring + kRingSize, 0.0f);
    }

    CVstParam* parameter(int index) const { return m_parameters[index].getPointer(); }
    Vst::CVstWindow* editorWindow() { return static_cast<Vst::CVstWindow*>(getEditor()); }

    // Hands the block's peak to the editor's meter, unless the editor is the one changing the effect.
    void reportPeak(long meterIndex, float peak)
    {
        Vst::CVstWindow* editor = editorWindow();
        if (editor != nullptr && !editor->isUpdatingEffect())
            editor->updateParameter(meterIndex, peak);
    }

    // Whether the compressor runs on this ring. Left out at 0 dB its state stands still, so when it comes back it
    // starts as a new one would rather than from a level it heard before it was left out, perhaps seconds ago.
    bool compressorRuns(bool compress)
    {
        if (compress && m_compressorLeftOut)
            m_compressor.getPointer()->restart();
        m_compressorLeftOut = !compress;
        return compress;
    }

    // Runs a constant 0.5 through the detector so its RMS state starts from a settled value, then empties the
    // ring. Each edition primes with the block routine it processes with.
    void primeCompressor(void (CCompressorSC::*routine)(const float*, const float*, float*, float*))
    {
        CCompressorSC* compressor = new CCompressorSC();
        compressor->setSampleRate(m_samplingRate);
        compressor->setEnvelope(CCompressorSC::kEnvelopeFloor);
        m_compressor.setPointer(compressor);
        std::fill(std::begin(m_wetLeft), std::end(m_wetLeft), 0.5f);
        for (int pass = 0; pass < kRingSize; ++pass)
            (compressor->*routine)(m_wetLeft, m_wetLeft, m_wetLeft, m_wetLeft);
        m_ringPosition.store(0, std::memory_order_relaxed);
        clearRing();
    }

    // Builds the table from the last program to the first: each is made current, its stored values (all 0)
    // are applied in index order, then its own values, the default program's where it has no change, with the
    // edition's own parameters first and Master last; setParameter stores them into it.
    void createPrograms()
    {
        m_programs = new CProgram[Programs];
        for (int program = Programs - 1; program >= 0; --program)
        {
            const CProgramDefinition& definition = Table::kProgramTable[program];
            float values[Parameters];
            for (int index = 0; index < Parameters; ++index)
                values[index] = description(index).defaultValue;
            for (const CProgramChange& change : definition.changes)
                if (change.index >= 0)
                    values[change.index] = change.value;

            m_currentProgram.store(program);
            for (int index = 0; index < Parameters; ++index)
                setParameter(index, m_programs[program].values[index].load(std::memory_order_relaxed));
            for (int index = Table::kMix + 1; index < Parameters; ++index)
                setParameter(index, values[index]);
            for (int index = Table::kThreshold; index <= Table::kMix; ++index)
                setParameter(index, values[index]);
            setParameter(Table::kMaster, values[Table::kMaster]);
            CHostText::copyCut(m_programs[program].name, definition.name, CProgram::kNameSize - 1);
        }
        m_mix = parameter(Table::kMix)->getRealValue();
    }

    // Threshold to Release first, then Master, then the rest in index order.
    void createParameters()
    {
        for (int index : {Table::kThreshold, Table::kRatio, Table::kAttack, Table::kRelease, Table::kMaster})
            m_parameters[index].setPointer(newParameter(index));
        for (int index = Table::kMix; index < Parameters; ++index)
            m_parameters[index].setPointer(newParameter(index));
    }

    void releaseParameters()
    {
        for (auto& holder : m_parameters)
            holder.setPointer(nullptr);
    }

    CProgram* m_programs;
    float m_samplingRate;
    Collections::TAutomaticPointer<CVstParam> m_parameters[Parameters];
    Collections::TAutomaticPointer<CCompressorSC> m_compressor;
    float m_wetLeft[kRingSize];
    float m_wetRight[kRingSize];
    float m_dryLeft[kRingSize];
    float m_dryRight[kRingSize];
    std::atomic<int> m_ringPosition;
    float m_mix;
    // Audio-thread state: the compressor was left out on the last ring.
    bool m_compressorLeftOut;
};
} // namespace Holvane
} // namespace Brivant
