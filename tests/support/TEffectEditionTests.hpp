// What both editions' effects do alike in-process, as typed tests over an edition descriptor: construction, the
// editor updates, the meter's empty call, the caller's control word, missing outputs, accumulating and no heap
// allocation on the audio path. Each edition's test program instantiates them (the two effects share class
// names, so they never share a program):
//
//   struct CProEffectEdition { using Effect = ...; using Model = ...; static constexpr VstInt32 kInputs, kParameters,
//       kPrograms; static constexpr long kMeter, kEditorHeight; static constexpr char kIdentity;
//       static constexpr int kBusyProgram; static double programValue(int program, int index); };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Pro, TEffectEditionTest, CProEffectEdition);
#pragma once

#include "tests/compressor/TestSignals.hpp"
#include "tests/support/CAllocationCounter.hpp"
#include "tests/support/CCountingHost.hpp"
#include "tests/support/CEventBlock.hpp"
#include "tests/support/TInProcessEffectTest.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

namespace VolturaTests
{
template <class Edition>
class TEffectEditionTest : public TInProcessEffectTest<typename Edition::Effect, typename Edition::Model>
{
protected:
    using Effect = typename Edition::Effect;
    using Channels = std::vector<std::vector<float>>;
    static constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

    // Noise on every input the edition has.
    static Channels noiseChannels(uint32_t seed, size_t frames, float amplitude)
    {
        TestSignals::CNoise noise(seed);
        Channels channels(static_cast<size_t>(Edition::kInputs));
        for (auto& channel : channels)
            channel = noise.block(frames, amplitude);
        return channels;
    }

    static std::vector<float*> pointers(Channels& channels, size_t offset = 0)
    {
        std::vector<float*> result;
        for (auto& channel : channels)
            result.push_back(channel.data() + offset);
        return result;
    }

    // A second effect on the busy program, and this one on it too, both at 44100 Hz.
    std::unique_ptr<Effect> busyPair()
    {
        auto reference = std::make_unique<Effect>(CCountingHost::callback);
        for (Effect* effect : {this->m_effect.get(), reference.get()})
        {
            effect->setSampleRate(44100.0f);
            effect->resume();
            effect->setProgram(Edition::kBusyProgram);
        }
        return reference;
    }
};

TYPED_TEST_SUITE_P(TEffectEditionTest);

// The programs are filled from the last down to 0; the editor reads program 0's values.
TYPED_TEST_P(TEffectEditionTest, endsOnTheDefaultProgramWithItsValuesApplied)
{
    auto& effect = *this->m_effect;
    EXPECT_EQ(0, effect.getProgram());
    for (VstInt32 index = 0; index < TypeParam::kParameters; ++index)
        EXPECT_EQ(static_cast<float>(TypeParam::programValue(0, index)), effect.getParameter(index))
            << "parameter " << index;
    EXPECT_EQ(44100.0f, effect.getSamplingRate());
    EXPECT_EQ(-1, effect.canDo(nullptr));

    char name[32];
    for (VstInt32 program = 0; program < TypeParam::kPrograms; ++program)
    {
        ASSERT_TRUE(effect.getProgramNameIndexed(0, program, name));
        EXPECT_STRNE("(empty)", name) << "program " << program;
    }
}

TYPED_TEST_P(TEffectEditionTest, recordCarriesPinsDelayIdentityFlagsAndEditorSize)
{
    AEffect* record = this->m_effect->getAeffect();
    EXPECT_EQ(effFlagsHasEditor | effFlagsCanReplacing, record->flags);
    EXPECT_EQ(TypeParam::kInputs, record->numInputs);
    EXPECT_EQ(2, record->numOutputs);
    EXPECT_EQ(TypeParam::kParameters, record->numParams);
    EXPECT_EQ(TypeParam::kPrograms, record->numPrograms);
    EXPECT_EQ(16, record->initialDelay);
    EXPECT_EQ(('S' << 24) | ('q' << 16) | ('a' << 8) | TypeParam::kIdentity, record->uniqueID);
    ERect* rect = nullptr;
    ASSERT_TRUE(this->editor().getRect(&rect));
    ASSERT_NE(nullptr, rect);
    EXPECT_EQ(500, rect->right - rect->left);
    EXPECT_EQ(TypeParam::kEditorHeight, rect->bottom - rect->top);
    EXPECT_STREQ("CHolvane", this->m_effect->getClass().getClassName());
    EXPECT_STREQ("CVstEffect", this->m_effect->getClass().getParentName());
}

TYPED_TEST_P(TEffectEditionTest, everyHostChangeReachesTheEditorWithTheHostsValue)
{
    auto& editor = this->editor();
    for (VstInt32 index = 0; index < TypeParam::kParameters; ++index)
    {
        const long before = editor.getUpdateCount(index);
        const float value = 0.125f + 0.75f * static_cast<float>(index) / (TypeParam::kParameters - 1);
        this->m_effect->setParameter(index, value);
        EXPECT_EQ(before + 1, editor.getUpdateCount(index)) << "parameter " << index;
        // Ratio too: the host's value, not the slope side the parameter holds.
        EXPECT_EQ(value, editor.getLastUpdate(index)) << "parameter " << index;
    }
    for (VstInt32 index : {3, 4})
    {
        const long before = editor.getUpdateCount(index);
        this->m_effect->setParameter(index, TestFixture::kNaN);
        EXPECT_EQ(before, editor.getUpdateCount(index)) << "NaN is no change";
    }
    this->m_effect->setParameter(1, 3.0f);
    EXPECT_EQ(1.0, editor.getLastUpdate(1)) << "the clamped value";
}

TYPED_TEST_P(TEffectEditionTest, noUpdateWhileTheEditorIsChangingTheEffect)
{
    auto& editor = this->editor();
    editor.setUpdatingEffect(true);
    const long before = editor.getUpdateCount(0);
    this->m_effect->setParameter(0, 0.9f);
    EXPECT_EQ(before, editor.getUpdateCount(0));
    EXPECT_EQ(0.9f, this->m_effect->getParameter(0)) << "the change itself is applied";

    editor.setUpdatingEffect(false);
    this->m_effect->setParameter(0, 0.1f);
    EXPECT_EQ(before + 1, editor.getUpdateCount(0));
    EXPECT_EQ(0.1f, editor.getLastUpdate(0));
}

TYPED_TEST_P(TEffectEditionTest, programChangesAndControllersReachTheEditor)
{
    auto& editor = this->editor();
    this->m_effect->setProgram(TypeParam::kBusyProgram);
    for (VstInt32 index = 0; index < TypeParam::kParameters; ++index)
        EXPECT_NEAR(TypeParam::programValue(TypeParam::kBusyProgram, index), editor.getLastUpdate(index), 1e-6)
            << index;

    const int last = TypeParam::kPrograms - 1;
    CEventBlock events;
    events.controlChange(static_cast<unsigned char>(last), 0);
    events.controlChange(74, 127);
    this->m_effect->processEvents(events.build());
    EXPECT_EQ(last, this->m_effect->getProgram());
    EXPECT_EQ(1.0, editor.getLastUpdate(0));
    EXPECT_NEAR(TypeParam::programValue(last, 1), editor.getLastUpdate(1), 1e-6);
}

TYPED_TEST_P(TEffectEditionTest, emptyCallReportsZeroAndAnUpdatingEditorHearsNothing)
{
    this->start(44100.0f);
    this->expectEmptyCallReportsZeroAndUpdatingEditorHearsNothing(TypeParam::kMeter,
                                                                  this->noiseChannels(64, 512, 0.9f));
}

TYPED_TEST_P(TEffectEditionTest, callersControlWordIsRestored)
{
    this->set(1, 0.5f);
    this->expectCallersControlWordRestored(this->noiseChannels(71, 1000, 0.9f));
}

TYPED_TEST_P(TEffectEditionTest, denormalsAreFlushedWhileProcessing)
{
    this->expectDenormalsFlushed(static_cast<size_t>(TypeParam::kInputs));
}

// Missing outputs are skipped, one at a time and both, and the ring moves on all the same.
TYPED_TEST_P(TEffectEditionTest, nullOutputsAreSkippedAndTheRingStillMoves)
{
    auto reference = this->busyPair();
    auto& effect = *this->m_effect;
    typename TestFixture::Channels signal = this->noiseChannels(82, 1000, 0.9f);
    const auto expected = this->processCall(*reference, signal, 0, 1000);

    std::vector<float> left(200, TestFixture::kNaN);
    float* leftOnly[2] = {left.data(), nullptr};
    effect.processReplacing(this->pointers(signal).data(), leftOnly, 200);
    EXPECT_TRUE(std::equal(left.begin(), left.end(), expected[0].begin()));

    std::vector<float> right(200, TestFixture::kNaN);
    float* rightOnly[2] = {nullptr, right.data()};
    effect.processReplacing(this->pointers(signal, 200).data(), rightOnly, 200);
    EXPECT_TRUE(std::equal(right.begin(), right.end(), expected[1].begin() + 200));

    float* none[2] = {nullptr, nullptr};
    effect.processReplacing(this->pointers(signal, 400).data(), none, 300);

    const auto rest = this->processCall(effect, signal, 700, 300);
    EXPECT_TRUE(std::equal(rest[0].begin(), rest[0].end(), expected[0].begin() + 700));
    EXPECT_TRUE(std::equal(rest[1].begin(), rest[1].end(), expected[1].begin() + 700));
}

// Accumulating, reached by no host call: the same output as replacing, added to what the buffers hold.
TYPED_TEST_P(TEffectEditionTest, accumulatingAddsToTheOutputs)
{
    auto reference = this->busyPair();
    typename TestFixture::Channels signal = this->noiseChannels(84, 700, 0.9f);
    const auto replaced = this->processCall(*reference, signal, 0, 700);
    typename TestFixture::Channels output(2, std::vector<float>(700));
    for (size_t i = 0; i < 700; ++i)
    {
        output[0][i] = 0.25f * static_cast<float>(i % 5);
        output[1][i] = -0.5f;
    }
    const auto held = output;
    this->m_effect->processAccumulating(this->pointers(signal).data(), this->pointers(output).data(), 700);
    for (size_t channel = 0; channel < 2; ++channel)
        for (size_t i = 0; i < 700; ++i)
            ASSERT_EQ(held[channel][i] + replaced[channel][i], output[channel][i]) << "frame " << i;
}

TYPED_TEST_P(TEffectEditionTest, counterSeesAnAllocationMadeOnPurpose)
{
    CAllocationCounter::arm();
    std::unique_ptr<int> allocated(new int(3));
    std::vector<float> grown(100);
    EXPECT_EQ(2, CAllocationCounter::disarm());
}

// The audio thread's work: events (program selection and the five controllers), parameter and program changes,
// and blocks of every size.
TYPED_TEST_P(TEffectEditionTest, theAudioPathAllocatesNothing)
{
    auto& effect = *this->m_effect;
    this->start(48000.0f);
    const size_t kSizes[] = {1, 7, 16, 17, 150, 512, 1024, 4096, 15, 33, 64, 0, 2, 100};
    typename TestFixture::Channels signal = this->noiseChannels(91, 4096, 0.9f);
    std::vector<float*> inputs = this->pointers(signal);
    typename TestFixture::Channels output(2, std::vector<float>(4096));
    float* outputs[2] = {output[0].data(), output[1].data()};
    std::vector<CEventBlock> events(std::size(kSizes));
    for (size_t i = 0; i < events.size(); ++i)
    {
        events[i].controlChange(static_cast<unsigned char>(i), 0);
        for (unsigned char controller = 70; controller <= 74; ++controller)
            events[i].controlChange(controller, static_cast<unsigned char>(9 * i));
    }
    std::vector<VstEvents*> blocks;
    for (CEventBlock& block : events)
        blocks.push_back(block.build());
    CCountingHost::clear();

    CAllocationCounter::arm();
    for (int round = 0; round < 3; ++round)
    {
        for (size_t i = 0; i < events.size(); ++i)
        {
            effect.processEvents(blocks[i]);
            for (VstInt32 index = 0; index < TypeParam::kParameters; ++index)
                effect.setParameter(index, static_cast<float>((index + i + round) % 7) / 6.0f);
            effect.processReplacing(inputs.data(), outputs, static_cast<VstInt32>(kSizes[i]));
        }
        effect.setProgram(round);
        effect.processReplacing(inputs.data(), outputs, 0);
        effect.setProgram(round + 5);
    }
    const long allocations = CAllocationCounter::disarm();
    EXPECT_EQ(0, allocations);
    EXPECT_EQ(0u, CCountingHost::count()) << "nothing on the audio path calls the host";
    for (const auto& channel : output)
        for (float sample : channel)
            ASSERT_TRUE(std::isfinite(sample));
}

// A Mix ramp ends exactly on its target: after Mix 1 -> 0.3 -> 1 the output is again exactly that of an effect whose
// Mix never moved.
TYPED_TEST_P(TEffectEditionTest, aMixRampEndsExactlyOnItsTarget)
{
    auto reference = this->busyPair();
    auto& effect = *this->m_effect;
    const typename TestFixture::Channels signal = this->noiseChannels(86, 512, 0.9f);
    for (size_t frames : {37, 100, 150, 333, 512})
    {
        for (float mix : {0.3f, 1.0f})
        {
            effect.setParameter(5, mix);
            this->processCall(effect, signal, 0, frames);
            this->processCall(*reference, signal, 0, frames);
        }
        EXPECT_TRUE(this->processCall(*reference, signal, 0, frames) == this->processCall(effect, signal, 0, frames))
            << frames << " frames";
    }
}

// A compressor left out at 0 dB comes back as a new one would, judging the signal now playing, not the level it
// heard before it was left out: on a quiet signal it then works exactly like one that was never left out.
TYPED_TEST_P(TEffectEditionTest, aCompressorBackFromZeroDecibelsStartsAfresh)
{
    using Effect = typename TypeParam::Effect;
    auto reference = std::make_unique<Effect>(CCountingHost::callback);
    auto& effect = *this->m_effect;
    for (Effect* each : {&effect, reference.get()})
    {
        each->setSampleRate(44100.0f);
        each->resume();
        // -50 dB, 20:1, the fastest attack and the slowest release.
        for (VstInt32 index : {1, 2, 3, 4})
            each->setParameter(index, index == 1 || index == 3 ? 0.0f : 1.0f);
    }
    const typename TestFixture::Channels loud = this->noiseChannels(87, 22050, 0.9f);
    const typename TestFixture::Channels quiet = this->noiseChannels(88, 22050, 0.01f);
    this->processCall(effect, loud, 0, 22050);
    effect.setParameter(1, 1.0f);
    reference->setParameter(1, 0.98f);
    this->processCall(effect, quiet, 0, 22050);
    this->processCall(*reference, quiet, 0, 22050);
    effect.setParameter(1, 0.98f);
    // The ring's last 16 samples left before the compressor was back.
    const auto expected = this->processCall(*reference, quiet, 0, 4410);
    const auto output = this->processCall(effect, quiet, 0, 4410);
    for (size_t channel = 0; channel < 2; ++channel)
        EXPECT_TRUE(std::equal(output[channel].begin() + 16, output[channel].end(), expected[channel].begin() + 16));
}

// A host that sends events on one thread while it processes on another breaks the threading rule; still, events
// emptied from the list while its controllers are applied are skipped, and the effect goes on.
TYPED_TEST_P(TEffectEditionTest, eventsEmptiedOnAnotherThreadAreSkipped)
{
    auto& effect = *this->m_effect;
    CEventBlock events;
    for (int i = 0; i < 100; ++i)
        events.controlChange(71, static_cast<unsigned char>(i));
    VstEvents* block = events.build();
    std::atomic<bool> running{false};
    std::atomic<bool> done{false};
    std::thread emptier([&] {
        running.store(true);
        while (!done.load())
            effect.processReplacing(nullptr, nullptr, 0);
    });
    while (!running.load())
    {
    }
    for (int round = 0; round < 100000; ++round)
        effect.processEvents(block);
    done.store(true);
    emptier.join();
    effect.processReplacing(nullptr, nullptr, 0);
    effect.processEvents(block);
    EXPECT_NEAR(99.0 / 127.0, effect.getParameter(1), 1e-6);
}

REGISTER_TYPED_TEST_SUITE_P(TEffectEditionTest, endsOnTheDefaultProgramWithItsValuesApplied,
                            recordCarriesPinsDelayIdentityFlagsAndEditorSize,
                            everyHostChangeReachesTheEditorWithTheHostsValue,
                            noUpdateWhileTheEditorIsChangingTheEffect, programChangesAndControllersReachTheEditor,
                            emptyCallReportsZeroAndAnUpdatingEditorHearsNothing, callersControlWordIsRestored,
                            denormalsAreFlushedWhileProcessing, nullOutputsAreSkippedAndTheRingStillMoves,
                            accumulatingAddsToTheOutputs, counterSeesAnAllocationMadeOnPurpose,
                            theAudioPathAllocatesNothing, aMixRampEndsExactlyOnItsTarget,
                            aCompressorBackFromZeroDecibelsStartsAfresh, eventsEmptiedOnAnotherThreadAreSkipped);
} // namespace VolturaTests
