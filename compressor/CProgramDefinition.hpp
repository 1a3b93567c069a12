// A factory program as an edition writes it: its name and where it differs from the default program.
#pragma once

namespace Brivant
{
namespace Holvane
{
struct CProgramChange
{
    // No index: the program's changes end here.
    int index = -1;
    float value = 0.0f;
};

struct CProgramDefinition
{
    static constexpr int kMostChanges = 8;

    const char* name;
    CProgramChange changes[kMostChanges];
};
} // namespace Holvane
} // namespace Brivant
