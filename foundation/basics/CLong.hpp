// A counted signed 32-bit integer, for integer control properties.
#pragma once

#include "foundation/basics/TNumberWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CLong : public TNumberWrapper<CLong, long>
{
    BRIVANT_CLASS_RECORD(CLong, "CCountedObject");

public:
    explicit CLong(long value);

    using TNumberWrapper<CLong, long>::operator=;

private:
};
} // namespace Basics
} // namespace Brivant
