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
    static constexpr unsigned int kFlushBits = 0x8040;

    CDenormalGuard() : m_saved(_mm_getcsr()) { _mm_setcsr(m_saved | kFlushBits); }
    ~CDenormalGuard() { _mm_setcsr(m_saved); }
    CDenormalGuard(const CDenormalGuard&) = delete;
    CDenormalGuard& operator=(const CDenormalGuard&) = delete;

private:
    unsigned int m_saved;
};
} // namespace MathTools
} // namespace Brivant
