// A host callback for effects built in-process: answers the version and counts the calls it receives, in a fixed
// array so that counting allocates nothing while the audio path is measured.
#pragma once

#include "vst/VstProtocol.hpp"

#include <array>
#include <cstddef>

namespace VolturaTests
{
class CCountingHost
{
public:
    static VstIntPtr VSTCALLBACK callback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/,
                                          VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/)
    {
        if (s_count < s_opcodes.size())
            s_opcodes[s_count++] = opcode;
        return opcode == audioMasterVersion ? 2400 : 0;
    }

    static void clear() { s_count = 0; }
    static size_t count() { return s_count; }

private:
    static inline std::array<VstInt32, 1024> s_opcodes{};
    static inline size_t s_count = 0;
};
} // namespace VolturaTests
