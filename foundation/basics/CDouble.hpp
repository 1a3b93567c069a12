// A counted 64-bit double, for float control properties.
#pragma once

#include "foundation/basics/TNumberWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CDouble : public TNumberWrapper<CDouble, double>
{
public:
    explicit CDouble(double value);

    using TNumberWrapper<CDouble, double>::operator=;

    static CClass& classRecord();
    const CClass& getClass() const override;

private:
    TInstanceCount<CDouble> m_instanceCount;
};
} // namespace Basics
} // namespace Brivant
