// A counted 32-bit float.
#pragma once

#include "foundation/basics/TNumberWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CFloat : public TNumberWrapper<CFloat, float>
{
    BRIVANT_CLASS_RECORD(CFloat, "CCountedObject");

public:
    explicit CFloat(float value);

    using TNumberWrapper<CFloat, float>::operator=;

private:
};
} // namespace Basics
} // namespace Brivant
