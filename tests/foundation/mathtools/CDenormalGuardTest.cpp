// The denormal guard sets denormals-are-zero only on processors that have it, and there it reads denormal inputs as
// zero; the effect tests check that processing runs under the guard.
#include "foundation/mathtools/CDenormalGuard.hpp"

#include <gtest/gtest.h>

#include <cstring>

using Brivant::MathTools::CDenormalGuard;

namespace
{
// MXCSR_MASK as this processor reports it in its own FXSAVE area (byte 28); 0 stands for the default, 0xFFBF.
unsigned int processorMxcsrMask()
{
    struct alignas(16) CFxsaveArea
    {
        unsigned char bytes[512];
    } area = {};
    __asm__ __volatile__("fxsave %0" : "=m"(area));
    unsigned int mask = 0;
    std::memcpy(&mask, area.bytes + 28, sizeof(mask));
    return mask == 0 ? 0xFFBFu : mask;
}
} // namespace

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

// Flush-to-zero only flushes denormal results: a denormal times 1e30 is a normal 1e-10 unless the denormal input
// itself is read as zero, which is what denormals-are-zero adds. The caller's own word comes back afterwards.
TEST(CDenormalGuardTest, readsDenormalInputsAsZeroOnThisProcessorWhenItHasDenormalsAreZero)
{
    const bool hasDenormalsAreZero = (processorMxcsrMask() & CDenormalGuard::kDenormalsAreZero) != 0;
    const unsigned int callerState = _mm_getcsr();
    _mm_setcsr(0x1F80);
    volatile float denormal = 1e-40f;
    volatile float large = 1e30f;
    const float before = denormal * large;
    unsigned int guarded = 0;
    float product = 0.0f;
    {
        CDenormalGuard guard;
        guarded = _mm_getcsr();
        product = denormal * large;
    }
    const float after = denormal * large;
    const unsigned int restored = _mm_getcsr();
    _mm_setcsr(callerState);

    EXPECT_NEAR(1e-10f, before, 1e-12f);
    EXPECT_EQ(CDenormalGuard::kFlushToZero, guarded & CDenormalGuard::kFlushToZero);
    EXPECT_EQ(hasDenormalsAreZero ? CDenormalGuard::kDenormalsAreZero : 0u, guarded & CDenormalGuard::kDenormalsAreZero);
    EXPECT_EQ(hasDenormalsAreZero ? 0.0f : before, product);
    // The status flags below bit 6 record the products themselves.
    EXPECT_EQ(0x1F80u, restored & 0xFFC0u);
    EXPECT_EQ(before, after);
}
