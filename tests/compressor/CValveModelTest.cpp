// The valve waveshaper: the characteristic points of both settings, its symmetry and the model on noise.
#include "ReferenceModel.hpp"
#include "TestSignals.hpp"

#include "compressor/CValveModel.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
constexpr size_t kBlock = CValveModel::kBlockSize;

struct CSetting
{
    const char* name;
    ReferenceModel::ValveSetting values;
};
const CSetting kSettings[] = {{"Soft", ReferenceModel::kSoftValve}, {"Dirty", ReferenceModel::kDirtyValve}};

// Shapes a single value in both channels of an otherwise silent block.
float shape(float input, const ReferenceModel::ValveSetting& setting)
{
    std::vector<float> left(kBlock, 0.0f);
    std::vector<float> right(kBlock, 0.0f);
    left[kBlock / 2] = input;
    right[kBlock / 2] = input;
    CValveModel valve;
    valve.process(left.data(), right.data(), static_cast<float>(setting.a), static_cast<float>(setting.b),
                  static_cast<float>(setting.outputGain));
    EXPECT_EQ(left[kBlock / 2], right[kBlock / 2]);
    EXPECT_EQ(0.0f, left[0]);
    return left[kBlock / 2];
}
} // namespace

TEST(CValveModelTest, characteristicPoints)
{
    const ReferenceModel::ValveSetting& soft = ReferenceModel::kSoftValve;
    const ReferenceModel::ValveSetting& dirty = ReferenceModel::kDirtyValve;
    EXPECT_FLOAT_EQ(0.525f, shape(0.5f, soft));
    EXPECT_FLOAT_EQ(-0.525f, shape(-0.5f, soft));
    EXPECT_FLOAT_EQ(0.3f, shape(0.25f, dirty));
    EXPECT_EQ(0.0f, shape(1.0f, dirty));
    // The peak b^2 / (4a) (times the output gain) at |x| = b / (2a), and falling beyond it up to full scale.
    EXPECT_FLOAT_EQ(0.7f, shape(1.0f, soft));
    EXPECT_FLOAT_EQ(-0.4f, shape(-0.5f, dirty));
    EXPECT_LT(shape(0.75f, dirty), shape(0.5f, dirty));
}

// Beyond full scale, which floating-point hosts pass freely, the curve stays at its value at full scale instead of
// turning over: the output stays bounded and never inverts.
TEST(CValveModelTest, inputBeyondFullScaleGivesTheValueAtFullScale)
{
    for (const CSetting& setting : kSettings)
        for (float input : {1.0001f, 1.5f, 2.0f, 10.0f, 1e30f})
        {
            EXPECT_EQ(shape(1.0f, setting.values), shape(input, setting.values)) << setting.name << " " << input;
            EXPECT_EQ(shape(-1.0f, setting.values), shape(-input, setting.values)) << setting.name << " " << -input;
        }
}

TEST(CValveModelTest, oddSymmetricAndAsModelledOnNoise)
{
    TestSignals::CNoise noise(21);
    const std::vector<float> input = noise.block(64 * kBlock, 2.5f);
    for (const CSetting& setting : kSettings)
    {
        CValveModel valve;
        std::vector<float> positive = input;
        std::vector<float> negative(input.size());
        for (size_t i = 0; i < input.size(); ++i)
            negative[i] = -input[i];
        const auto& v = setting.values;
        for (size_t start = 0; start < input.size(); start += kBlock)
            valve.process(&positive[start], &negative[start], static_cast<float>(v.a), static_cast<float>(v.b),
                          static_cast<float>(v.outputGain));
        for (size_t i = 0; i < input.size(); ++i)
        {
            const double expected = ReferenceModel::valve(input[i], v);
            // Products of at most about 25 in float: a few steps of 1e-6.
            ASSERT_NEAR(expected, positive[i], 1e-5) << setting.name << ", input " << input[i];
            ASSERT_NEAR(-expected, negative[i], 1e-5) << setting.name << ", input " << -input[i];
        }
    }
}
