// CParameter: ranges, unclamped normalised values and the static scaling helpers.
#include "foundation/mathtools/CParameter.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using Brivant::Basics::CString;
using Brivant::MathTools::CParameter;

namespace
{
TEST(CParameterTest, defaultIsHalfWayThroughZeroToOne)
{
    CParameter parameter;
    EXPECT_DOUBLE_EQ(0.5, parameter.getValue());
    CString text("");
    parameter.getValueAsString(text);
    EXPECT_STREQ("0.50", text.getString());
    EXPECT_DOUBLE_EQ(0.25, parameter.setNormalisedValueAndGetValue(0.25));
}

TEST(CParameterTest, normalisedValuesMapOntoTheRangeWithoutClamping)
{
    CParameter parameter(-20.0, 20.0, 0.5);
    EXPECT_DOUBLE_EQ(0.0, parameter.getValue());
    EXPECT_DOUBLE_EQ(20.0, parameter.setNormalisedValueAndGetValue(1.0));
    parameter.setNormalisedValue(1.5);
    EXPECT_DOUBLE_EQ(40.0, parameter.getValue());
    EXPECT_DOUBLE_EQ(-60.0, parameter.setNormalisedValueAndGetValue(-1.0));
    CString text("");
    parameter.getValueAsString(text);
    EXPECT_STREQ("-60.00", text.getString());
}

TEST(CParameterTest, setRangeIgnoresAnInvertedRangeAndNeverMovesTheValue)
{
    CParameter parameter(-20.0, 20.0, 0.75);
    parameter.setRange(5.0, 1.0);
    parameter.setRange(std::nan(""), 1.0);
    EXPECT_DOUBLE_EQ(10.0, parameter.getValue());
    EXPECT_DOUBLE_EQ(20.0, parameter.setNormalisedValueAndGetValue(1.0));

    parameter.setRange(100.0, 200.0);
    EXPECT_DOUBLE_EQ(20.0, parameter.getValue());
    EXPECT_DOUBLE_EQ(150.0, parameter.setNormalisedValueAndGetValue(0.5));
    parameter.setRange(3.0, 3.0);
    EXPECT_DOUBLE_EQ(3.0, parameter.setNormalisedValueAndGetValue(0.9));
}

TEST(CParameterTest, constructedWithAnInvertedRangeIsStuckAtZero)
{
    CParameter parameter(10.0, 5.0, 0.5);
    EXPECT_DOUBLE_EQ(0.0, parameter.getValue());
    EXPECT_DOUBLE_EQ(0.0, parameter.setNormalisedValueAndGetValue(1.0));
}

TEST(CParameterTest, normaliseValueTopsOutJustBelowOneAndIsZeroForAnEmptyRange)
{
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normaliseValue(0, 100, 100));
    EXPECT_DOUBLE_EQ(0.499995, CParameter::normaliseValue(-50, 50, 0));
    EXPECT_DOUBLE_EQ(0.0, CParameter::normaliseValue(0, 100, 0));
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normaliseValue(LONG_MIN, LONG_MAX, LONG_MAX));
    // An empty range gives 0 rather than a division by zero.
    EXPECT_DOUBLE_EQ(0.0, CParameter::normaliseValue(5, 5, 9));
}

TEST(CParameterTest, denormaliseHelpersScaleIntoTheRange)
{
    EXPECT_DOUBLE_EQ(0.5, CParameter::denormaliseValue(-1.0, 1.0, 0.75));
    EXPECT_EQ(8, CParameter::denormaliseValueRoundedUp(0, 15, 0.5));
    EXPECT_EQ(0, CParameter::denormaliseValueRoundedUp(0, 15, 0.0));
    EXPECT_EQ(1, CParameter::denormaliseValueRoundedUp(0, 15, 0.01));
    EXPECT_EQ(-5, CParameter::denormaliseValueRoundedUp(-10, 0, 0.5));
}

TEST(CParameterTest, roundedUpValueIsHeldToALongWhateverTheNumber)
{
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(LONG_MAX, CParameter::denormaliseValueRoundedUp(LONG_MIN, LONG_MAX, 1.0));
    EXPECT_EQ(LONG_MAX, CParameter::denormaliseValueRoundedUp(0, 15, infinity));
    EXPECT_EQ(LONG_MIN, CParameter::denormaliseValueRoundedUp(0, 15, -infinity));
    EXPECT_EQ(3, CParameter::denormaliseValueRoundedUp(3, 15, std::nan("")));
}
} // namespace
