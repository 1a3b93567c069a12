// A counted 32-bit float.
#pragma once

#include "foundation/basics/TNumberWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CFloat : public TNumberWrapper<CFloat, float>
{
public:
    explicit CFloat(float value);

    using TNumberWrapper<CFloat, float>::operator=;

    static CClass& classRecord();
    const CClass& getClass() const override;

private:
    TInstanceCount<CFloat> m_instanceCount;
};
} // namespace Basics
} // namespace Brivant
