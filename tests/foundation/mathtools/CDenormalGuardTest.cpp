// The denormal guard sets denormals-are-zero only on processors that have it.
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

    // This processor: the guard sets flush-to-zero and, where it has it, denormals-are-zero.
    const unsigned int caller = _mm_getcsr();
    _mm_setcsr(caller & ~0x8040u);
    {
        CDenormalGuard guard;
        EXPECT_EQ(CDenormalGuard::supportedFlushBits(), _mm_getcsr() & 0x8040u);
    }
    EXPECT_EQ(0u, _mm_getcsr() & 0x8040u);
    _mm_setcsr(caller);
}
