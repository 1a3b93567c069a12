// CLong, CFloat and CDouble: shared arithmetic in place, division by zero, and each one's text forms;
// integer overflow and the smallest long divided by -1.
#include "CCountChange.hpp"
#include "foundation/basics/CDouble.hpp"
#include "foundation/basics/CFloat.hpp"
#include "foundation/basics/CLong.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using Brivant::Basics::CCountedObject;
using Brivant::Basics::CDouble;
using Brivant::Basics::CFloat;
using Brivant::Basics::CLong;
using VolturaTests::CCountChange;

namespace
{
template <class Wrapper>
class TNumberWrapperTest : public ::testing::Test
{
protected:
    using Value = decltype(Wrapper(0).getValue());

    static std::string description(const Wrapper& wrapper)
    {
        char text[32];
        wrapper.getObjectDescription(text, sizeof(text));
        return text;
    }
};

using Wrappers = ::testing::Types<CLong, CFloat, CDouble>;
TYPED_TEST_SUITE(TNumberWrapperTest, Wrappers);

TYPED_TEST(TNumberWrapperTest, arithmeticChangesTheValueAndReturnsTheObject)
{
    using Value = typename TestFixture::Value;
    TypeParam number(Value(10));
    EXPECT_EQ(&number, &(number += Value(5)));
    EXPECT_EQ(&number, &(number -= TypeParam(Value(3))));
    EXPECT_EQ(&number, &(number *= Value(4)));
    EXPECT_EQ(&number, &(number /= TypeParam(Value(8))));
    EXPECT_EQ(Value(6), number.getValue());
    number.add(Value(2)).add(TypeParam(Value(1))).subtract(Value(4)).subtract(TypeParam(Value(-5)));
    EXPECT_EQ(Value(10), number.getValue());
    number *= TypeParam(Value(-2));
    number /= Value(4);
    EXPECT_EQ(Value(-5), number.getValue());
}

TYPED_TEST(TNumberWrapperTest, divisionByZeroGivesZero)
{
    using Value = typename TestFixture::Value;
    TypeParam number(Value(7));
    number /= Value(0);
    EXPECT_EQ(Value(0), number.getValue());
    number = Value(-7);
    number /= TypeParam(Value(0));
    EXPECT_EQ(Value(0), number.getValue());
}

TYPED_TEST(TNumberWrapperTest, assignsAndComparesWithValuesAndWrappers)
{
    using Value = typename TestFixture::Value;
    TypeParam number(Value(1));
    EXPECT_EQ(&number, &(number = Value(3)));
    EXPECT_TRUE(number == Value(3));
    EXPECT_TRUE(number != Value(2));
    number = TypeParam(Value(4));
    EXPECT_TRUE(number == TypeParam(Value(4)));
    EXPECT_TRUE(number != TypeParam(Value(3)));
    number.setValue(TypeParam(Value(9)));
    EXPECT_EQ(Value(9), number.getValue());
    EXPECT_FALSE(!number);
    number.setValue(Value(0));
    EXPECT_TRUE(!number);
}

TYPED_TEST(TNumberWrapperTest, countsInItsOwnRecordAndCopiesStartUnreferenced)
{
    using Value = typename TestFixture::Value;
    EXPECT_TRUE(TypeParam::classRecord().isTypeOf(CCountedObject::classRecord()));
    CCountChange records(TypeParam::classRecord());
    TypeParam number(Value(1));
    number.referenced();
    const TypeParam copy(number);
    EXPECT_EQ(0, copy.getReferenceCount());
    EXPECT_EQ(&TypeParam::classRecord(), &copy.getClass());
    EXPECT_EQ(2, records.live());
    number.dereference();
}

using CLongTest = TNumberWrapperTest<CLong>;

TEST_F(CLongTest, textIsZeroPaddedToTheNumberOfPlaces)
{
    EXPECT_STREQ("007", CLong(7).getValueAsString(3).getString());
    EXPECT_EQ("07", description(CLong(7)));
    EXPECT_EQ("-7", description(CLong(-7)));
    EXPECT_EQ("12345", description(CLong(12345)));
    EXPECT_STREQ("7", CLong(7).getValueAsString(0).getString());
}

TEST_F(CLongTest, negativePlacesCountAsNone)
{
    EXPECT_STREQ("7", CLong(7).getValueAsString(-3).getString());
    EXPECT_STREQ("-42", CLong(-42).getValueAsString(LONG_MIN).getString());
}

TEST_F(CLongTest, dividesAsIntegersTruncatingTowardZero)
{
    EXPECT_EQ(3, (CLong(7) /= 2).getValue());
    EXPECT_EQ(-3, (CLong(-7) /= 2).getValue());
    EXPECT_EQ(-7, (CLong(7) /= -1).getValue());
}

TEST_F(CLongTest, smallestLongDividedByMinusOneStaysItself)
{
    EXPECT_EQ(LONG_MIN, (CLong(LONG_MIN) /= -1L).getValue());
    EXPECT_EQ(LONG_MIN, (CLong(LONG_MIN) /= CLong(-1)).getValue());
}

TEST_F(CLongTest, overflowWrapsAround)
{
    EXPECT_EQ(LONG_MIN, (CLong(LONG_MAX) += 1L).getValue());
    EXPECT_EQ(LONG_MAX, (CLong(LONG_MIN) -= 1L).getValue());
    EXPECT_EQ(LONG_MIN, (CLong(LONG_MIN) *= -1L).getValue());
    EXPECT_EQ(-2, (CLong(LONG_MAX) *= 2L).getValue());
}

using CFloatTest = TNumberWrapperTest<CFloat>;

TEST_F(CFloatTest, textHasTheNumberOfPlacesAsDecimals)
{
    EXPECT_EQ("2.50", description(CFloat(2.5f)));
    EXPECT_STREQ("2.500", CFloat(2.5f).getValueAsString(3).getString());
    EXPECT_STREQ("2", CFloat(2.25f).getValueAsString(0).getString());
    EXPECT_STREQ("2", CFloat(2.25f).getValueAsString(-2).getString());
}

using CDoubleTest = TNumberWrapperTest<CDouble>;

TEST_F(CDoubleTest, textHasTheNumberOfPlacesAsDecimals)
{
    EXPECT_EQ("-0.13", description(CDouble(-0.125001)));
    EXPECT_STREQ("3.1415927", CDouble(3.14159265).getValueAsString(7).getString());
    EXPECT_STREQ("2", CDouble(1.75).getValueAsString(-1).getString());
}

TEST_F(CDoubleTest, dividesInFloatingPoint)
{
    EXPECT_DOUBLE_EQ(3.5, (CDouble(7.0) /= 2.0).getValue());
    EXPECT_EQ(0.0, (CDouble(1.0) /= 0.0).getValue());
    EXPECT_EQ(0.0, (CDouble(1.0) /= -0.0).getValue());
}
} // namespace
