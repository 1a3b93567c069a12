// A counted bool, for boolean control properties.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/basics/TValueWrapper.hpp"

namespace Brivant
{
namespace Basics
{
class CBool : public TValueWrapper<CBool, bool>
{
    BRIVANT_CLASS_RECORD(CBool, "CCountedObject");

public:
    explicit CBool(bool value);

    using TValueWrapper<CBool, bool>::operator=;

    // "True" or "False", copied as CString::getString (char*, long) copies.
    void getObjectDescription(char* text, long size) const override;

    // "True" or "False".
    CString getValueAsString() const;

private:
};
} // namespace Basics
} // namespace Brivant
