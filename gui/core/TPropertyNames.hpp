// Finding a property name in a control's table of names.
#pragma once

#include "foundation/basics/CString.hpp"

#include <cstddef>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
// The name's place in the table, which is the order the control keeps its values in; -1 when it is not there.
template <std::size_t N>
long indexOfName(const ::Brivant::Basics::CString& name, const char* const (&names)[N])
{
    for (std::size_t index = 0; index < N; ++index)
    {
        if (name == names[index])
            return static_cast<long>(index);
    }
    return -1;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
