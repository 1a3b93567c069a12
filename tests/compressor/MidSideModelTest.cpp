// The mid/side width the effect applies to the key, computed through the reference model the effect's tests
// use: the weights the Mid/Side parameter gives, and what they do to a stereo key.
#include "ReferenceModel.hpp"

#include <gtest/gtest.h>

namespace
{
using ReferenceModel::midSide;
using ReferenceModel::midSideWeights;
} // namespace

TEST(MidSideModelTest, parameterValueSetsTheWeights)
{
    const struct
    {
        double value, mid, side;
    } cases[] = {{0.0, 1.0, 0.0}, {0.25, 1.0, 0.5}, {0.5, 1.0, 1.0}, {0.75, 0.5, 1.0}, {1.0, 0.0, 1.0}};
    for (const auto& each : cases)
    {
        EXPECT_DOUBLE_EQ(each.mid, midSideWeights(each.value).mid) << "value " << each.value;
        EXPECT_DOUBLE_EQ(each.side, midSideWeights(each.value).side) << "value " << each.value;
    }
}

TEST(MidSideModelTest, widthOfAStereoKey)
{
    const double left = 0.8;
    const double right = -0.2;
    // Centre: both weights 1, the key passes unchanged.
    auto key = midSide(left, right, midSideWeights(0.5));
    EXPECT_DOUBLE_EQ(left, key.first);
    EXPECT_DOUBLE_EQ(right, key.second);
    // Fully mid: both channels carry the mean.
    key = midSide(left, right, midSideWeights(0.0));
    EXPECT_DOUBLE_EQ(0.3, key.first);
    EXPECT_DOUBLE_EQ(0.3, key.second);
    // Fully side: half the difference, opposite in sign; a mono key vanishes.
    key = midSide(left, right, midSideWeights(1.0));
    EXPECT_DOUBLE_EQ(0.5, key.first);
    EXPECT_DOUBLE_EQ(-0.5, key.second);
    key = midSide(0.4, 0.4, midSideWeights(1.0));
    EXPECT_DOUBLE_EQ(0.0, key.first);
    EXPECT_DOUBLE_EQ(0.0, key.second);
    // Three quarters: half the mid, all the side.
    key = midSide(left, right, midSideWeights(0.75));
    EXPECT_DOUBLE_EQ(0.65, key.first);
    EXPECT_DOUBLE_EQ(-0.35, key.second);
}
