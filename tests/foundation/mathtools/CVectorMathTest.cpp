// The audio path's four-wide logarithm and exponential against the runtime's, over the ranges the detector uses.
#include "foundation/mathtools/CVectorMath.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

using Brivant::MathTools::CVectorMath;

namespace
{
// About two units in the last place of a float: far below anything the detector's dB levels resolve.
constexpr double kTolerance = 2.4e-7;

template <typename Function>
void apply(Function function, const float (&in)[4], float (&out)[4])
{
    _mm_storeu_ps(out, function(_mm_loadu_ps(in)));
}

float logOf(float x)
{
    const float in[4] = {x, x, x, x};
    float out[4];
    apply(CVectorMath::log, in, out);
    return out[0];
}

float expOf(float x)
{
    const float in[4] = {x, x, x, x};
    float out[4];
    apply(CVectorMath::exp, in, out);
    return out[0];
}

TEST(CVectorMathTest, logarithmFollowsTheRuntimeFromTheDetectorFloorUp)
{
    uint32_t seed = 777u;
    double worst = 0.0;
    for (int i = 0; i < 100000; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        // 1e-20 (the detector's floor) to 1e20, in four lanes that differ.
        float in[4];
        for (float& x : in)
        {
            seed = seed * 1664525u + 1013904223u;
            x = static_cast<float>(std::pow(10.0, -20.0 + 40.0 * (seed / 4294967296.0)));
        }
        float out[4];
        apply(CVectorMath::log, in, out);
        for (int lane = 0; lane < 4; ++lane)
        {
            const double reference = std::log(static_cast<double>(in[lane]));
            // Near 1 the logarithm is near 0: measure against the argument's scale there.
            worst = std::max(worst, std::fabs(out[lane] - reference) / std::max(std::fabs(reference), 1.0));
        }
    }
    EXPECT_LT(worst, kTolerance);
    EXPECT_EQ(0.0f, logOf(1.0f));
}

TEST(CVectorMathTest, logarithmOfWhatIsNoLevelIsNaN)
{
    EXPECT_TRUE(std::isnan(logOf(0.0f)));
    EXPECT_TRUE(std::isnan(logOf(-1.0f)));
    EXPECT_TRUE(std::isnan(logOf(1e-40f)));
    EXPECT_TRUE(std::isnan(logOf(std::numeric_limits<float>::infinity())));
    EXPECT_TRUE(std::isnan(logOf(std::numeric_limits<float>::quiet_NaN())));
    EXPECT_NEAR(std::log(1.17549435e-38), logOf(1.17549435e-38f), 1e-4);
}

TEST(CVectorMathTest, exponentialFollowsTheRuntimeOverTheGainRange)
{
    double worst = 0.0;
    // Gains from 10^(-380/20) up to 10^(+380/20): every exponent a detector produces, and beyond.
    for (double x = -87.0; x <= 88.0; x += 0.0013)
    {
        const float value = expOf(static_cast<float>(x));
        const double reference = std::exp(static_cast<double>(static_cast<float>(x)));
        worst = std::max(worst, std::fabs(value - reference) / reference);
    }
    EXPECT_LT(worst, kTolerance);
    EXPECT_EQ(1.0f, expOf(0.0f));
}

TEST(CVectorMathTest, exponentialHoldsToTheNormalRange)
{
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(-87.0)), expOf(-1000.0f));
    EXPECT_FLOAT_EQ(static_cast<float>(std::exp(88.0)), expOf(1000.0f));
    EXPECT_GT(expOf(-std::numeric_limits<float>::infinity()), 0.0f);
}
} // namespace
