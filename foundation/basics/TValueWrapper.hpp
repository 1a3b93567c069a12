// What every value wrapper shares: one value of type T, its accessors, assignment and comparison.
// Wrapper is the concrete class (CBool, CLong, ...), so that assignments return it. This template is no
// class of its own in the registry: each wrapper records itself directly under CCountedObject.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Basics
{
template <class Wrapper, class T>
class TValueWrapper : public CCountedObject
{
public:
    void setValue(T value) { m_value = value; }
    void setValue(const Wrapper& other) { m_value = other.getValue(); }
    T getValue() const { return m_value; }

    Wrapper& operator=(T value)
    {
        m_value = value;
        return self();
    }

    bool operator==(T value) const { return m_value == value; }
    bool operator==(const Wrapper& other) const { return m_value == other.getValue(); }
    bool operator!=(T value) const { return !(*this == value); }
    bool operator!=(const Wrapper& other) const { return !(*this == other); }

protected:
    explicit TValueWrapper(T value) : m_value(value) {}

    Wrapper& self() { return static_cast<Wrapper&>(*this); }

private:
    T m_value;
};
} // namespace Basics
} // namespace Brivant
