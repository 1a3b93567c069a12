// The denormal guard sets denormals-are-zero only on processors that have it; the effect tests check the guard
// itself on this one.
#include "foundation/mathtools/CDenormalGuard.hpp"

#include <gtest/gtest.h>

using Brivant::MathTools::CDenormalGuard;

TEST(CDenormalGuardTest, setsDenormalsAreZeroOnlyWhereTheProcessorsMaskHasIt)
{
    const struct
    {
        unsigned int mask;
        unsigned int bits;
    } processors[] = {{0x0000, 0x8000}, {0xFFBF, 0x8000}, {0xFFFF, 0x8040}, {0x0040, 0x8040}};
    for (const auto& processor : processors)
        EXPECT_EQ(processor.bits, CDenormalGuard::flushBits(processor.mask)) << std::hex << processor.mask;
}
