// Replaces the test program's global operator new and delete with versions that count, while armed, the
// allocations made on the thread that armed them; the audio path must make none.
#pragma once

namespace VolturaTests
{
class CAllocationCounter
{
public:
    // Starts counting on the calling thread, from 0.
    static void arm();
    // Stops counting; answers the allocations seen since arm.
    static long disarm();
};
} // namespace VolturaTests
