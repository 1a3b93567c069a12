// Which of the flush bits this processor takes, read once when the library is loaded.
#include "foundation/mathtools/CDenormalGuard.hpp"

#include <cstring>

namespace Brivant
{
namespace MathTools
{
namespace
{
// MXCSR_MASK sits at byte 28 of the 512-byte, 16-aligned FXSAVE area.
unsigned int readMxcsrMask()
{
    struct alignas(16) CFxsaveArea
    {
        unsigned char bytes[512];
    } area = {};
    __asm__ __volatile__("fxsave %0" : "=m"(area));
    unsigned int mask = 0;
    std::memcpy(&mask, area.bytes + 28, sizeof(mask));
    return mask;
}

// Read once at load, so the audio path never waits on a first-use guard; before that it reads 0, which is safe.
const unsigned int kMxcsrMask = readMxcsrMask();
} // namespace

unsigned int CDenormalGuard::supportedFlushBits() { return flushBits(kMxcsrMask); }
} // namespace MathTools
} // namespace Brivant
