// The stages as counted objects: their class records, instance counts and copies, and the audio buffer's
// shape.
#include "compressor/CCompressorSC.hpp"
#include "compressor/CEQ.hpp"
#include "compressor/CMidSide.hpp"
#include "compressor/CValveModel.hpp"
#include "compressor/TAudioBuffer.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace
{
using Brivant::Audio::TAudioBuffer;
using Brivant::Basics::CClass;

template <typename Stage>
void expectCountedWithRecord(const char* name)
{
    SCOPED_TRACE(name);
    const CClass& record = Stage::classRecord();
    EXPECT_EQ(std::string(name), record.getClassName());
    EXPECT_EQ(std::string("CCountedObject"), record.getParentName());
    const long live = record.getInstanceCount();
    const long total = record.getTotalCount();
    {
        Stage stage;
        EXPECT_EQ(&record, &stage.getClass());
        EXPECT_EQ(0, stage.getReferenceCount());
        EXPECT_EQ(live + 1, record.getInstanceCount());
    }
    EXPECT_EQ(live, record.getInstanceCount());
    EXPECT_EQ(total + 1, record.getTotalCount());
}
} // namespace

TEST(StageObjectsTest, everyStageCountsInItsOwnRecord)
{
    expectCountedWithRecord<CCompressorSC>("CCompressorSC");
    expectCountedWithRecord<CEQ>("CEQ");
    expectCountedWithRecord<CMidSide>("CMidSide");
    expectCountedWithRecord<CValveModel>("CValveModel");
    expectCountedWithRecord<TAudioBuffer<float>>("TAudioBuffer<float>");
}

TEST(StageObjectsTest, copiesOfStatelessStagesAreNewInstances)
{
    CValveModel valve;
    valve.referenced();
    const long live = CValveModel::classRecord().getInstanceCount();
    const CValveModel copy(valve);
    EXPECT_EQ(0, copy.getReferenceCount());
    EXPECT_EQ(live + 1, CValveModel::classRecord().getInstanceCount());
    valve.dereference();
}

TEST(StageObjectsTest, audioBufferLaysOutChannelsOneAfterTheOther)
{
    const TAudioBuffer<float> empty;
    EXPECT_EQ(0, empty.getNumberOfSamples());
    EXPECT_EQ(nullptr, empty.getChannel(0));

    TAudioBuffer<float> buffer(2, 16);
    EXPECT_EQ(16, buffer.getNumberOfFrames());
    EXPECT_EQ(2, buffer.getNumberOfChannels());
    EXPECT_EQ(32, buffer.getNumberOfSamples());
    ASSERT_NE(nullptr, buffer.getChannel(0));
    EXPECT_EQ(buffer.getChannel(0) + 16, buffer.getChannel(1));
    EXPECT_EQ(nullptr, buffer.getChannel(2));
    EXPECT_EQ(nullptr, buffer.getChannel(-1));
    for (long i = 0; i < 32; ++i)
        EXPECT_EQ(0.0f, buffer.getChannel(0)[i]);

    buffer.getChannel(1)[15] = 1.0f;
    buffer.setSize(1, 8);
    EXPECT_EQ(8, buffer.getNumberOfSamples());
    for (long i = 0; i < 8; ++i)
        EXPECT_EQ(0.0f, buffer.getChannel(0)[i]);
}

TEST(StageObjectsTest, audioBufferRefusesImpossibleSizes)
{
    TAudioBuffer<float> negative(-2, 16);
    EXPECT_EQ(0, negative.getNumberOfSamples());
    EXPECT_EQ(nullptr, negative.getChannel(0));

    TAudioBuffer<float> buffer(2, 4);
    const long huge = std::numeric_limits<long>::max() / 2;
    buffer.setSize(4, huge);
    EXPECT_EQ(8, buffer.getNumberOfSamples());
    EXPECT_EQ(4, buffer.getNumberOfFrames());
}
