// A counted signed 32-bit integer, for integer control properties.
#pragma once

#include "foundation/basics/TNumberWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CLong : public TNumberWrapper<CLong, long>
{
public:
    explicit CLong(long value);

    using TNumberWrapper<CLong, long>::operator=;

    static CClass& classRecord();
    const CClass& getClass() const override;

private:
    TInstanceCount<CLong> m_instanceCount;
};
} // namespace Basics
} // namespace Brivant
