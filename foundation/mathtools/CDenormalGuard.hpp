// Flushes denormals to zero while it lives and gives the caller back its own control word on every way out.
#pragma once

#include <xmmintrin.h>

namespace Brivant
{
namespace MathTools
{
class CDenormalGuard
{
public:
    // Flush-to-zero (bit 15) and denormals-are-zero (bit 6) of MXCSR.
    static constexpr unsigned int kFlushToZero = 0x8000;
    static constexpr unsigned int kDenormalsAreZero = 0x0040;

    // The bits to set on a processor with this MXCSR_MASK: setting a bit the mask leaves out faults, and early
    // SSE2 processors have no denormals-are-zero (a mask of 0 from FXSAVE means the default, without it).
    static constexpr unsigned int flushBits(unsigned int mxcsrMask)
    {
        return kFlushToZero | (mxcsrMask & kDenormalsAreZero);
    }
    // The bits for this processor, read with FXSAVE when the library is loaded.
    static unsigned int supportedFlushBits();

    CDenormalGuard() : m_saved(_mm_getcsr()) { _mm_setcsr(m_saved | supportedFlushBits()); }
    ~CDenormalGuard() { _mm_setcsr(m_saved); }
    CDenormalGuard(const CDenormalGuard&) = delete;
    CDenormalGuard& operator=(const CDenormalGuard&) = delete;

private:
    unsigned int m_saved;
};
} // namespace MathTools
} // namespace Brivant
