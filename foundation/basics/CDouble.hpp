// A counted 64-bit double, for float control properties.
#pragma once

#include "foundation/basics/TNumberWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CDouble : public TNumberWrapper<CDouble, double>
{
    BRIVANT_CLASS_RECORD(CDouble, "CCountedObject");

public:
    explicit CDouble(double value);

    using TNumberWrapper<CDouble, double>::operator=;

private:
};
} // namespace Basics
} // namespace Brivant
