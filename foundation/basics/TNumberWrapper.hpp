// What the number wrappers (CLong, CFloat, CDouble) share on top of TValueWrapper: arithmetic in place and
// the text forms. Integers wrap around on overflow as two's complement does (the smallest long divided by
// -1 stays itself); dividing by 0 gives 0.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/basics/TValueWrapper.hpp"

#include <climits>
#include <type_traits>

namespace Brivant
{
namespace Basics
{
template <class Wrapper, class T>
class TNumberWrapper : public TValueWrapper<Wrapper, T>
{
    static_assert(std::is_same_v<T, long> || std::is_floating_point_v<T>, "a long or a floating-point type");

public:
    using TValueWrapper<Wrapper, T>::operator=;

    Wrapper& operator+=(T value) { return store(sum(this->getValue(), value)); }
    Wrapper& operator-=(T value) { return store(difference(this->getValue(), value)); }
    Wrapper& operator*=(T value) { return store(product(this->getValue(), value)); }
    Wrapper& operator/=(T value) { return store(quotient(this->getValue(), value)); }
    Wrapper& operator+=(const Wrapper& other) { return *this += other.getValue(); }
    Wrapper& operator-=(const Wrapper& other) { return *this -= other.getValue(); }
    Wrapper& operator*=(const Wrapper& other) { return *this *= other.getValue(); }
    Wrapper& operator/=(const Wrapper& other) { return *this /= other.getValue(); }

    Wrapper& add(T value) { return *this += value; }
    Wrapper& add(const Wrapper& other) { return *this += other; }
    Wrapper& subtract(T value) { return *this -= value; }
    Wrapper& subtract(const Wrapper& other) { return *this -= other; }

    // True when the value is 0.
    bool operator!() const { return this->getValue() == 0; }

    // Integers zero-padded to at least places digits (2 gives "07"), others with places decimals (2 gives
    // "2.50"); a negative number of places counts as 0.
    CString getValueAsString(long places) const
    {
        const int count = places < 0 ? 0 : places > INT_MAX ? INT_MAX : static_cast<int>(places);
        CString text("");
        if constexpr (std::is_integral_v<T>)
            text.setStringWithFormat("%0*li", count, this->getValue());
        else
            text.setStringWithFormat("%.*f", count, static_cast<double>(this->getValue()));
        return text;
    }

    // The value with two places, copied as CString::getString (char*, long) copies.
    void getObjectDescription(char* text, long size) const override
    {
        getValueAsString(kDescriptionPlaces).getString(text, size);
    }

protected:
    explicit TNumberWrapper(T value) : TValueWrapper<Wrapper, T>(value) {}

private:
    static constexpr long kDescriptionPlaces = 2;
    using Bits = std::make_unsigned_t<std::conditional_t<std::is_integral_v<T>, T, long>>;

    Wrapper& store(T value)
    {
        this->setValue(value);
        return this->self();
    }

    // Integers go through their unsigned twin, where overflow is defined.
    static T sum(T first, T second)
    {
        if constexpr (std::is_integral_v<T>)
            return static_cast<T>(static_cast<Bits>(first) + static_cast<Bits>(second));
        else
            return first + second;
    }

    static T difference(T first, T second)
    {
        if constexpr (std::is_integral_v<T>)
            return static_cast<T>(static_cast<Bits>(first) - static_cast<Bits>(second));
        else
            return first - second;
    }

    static T product(T first, T second)
    {
        if constexpr (std::is_integral_v<T>)
            return static_cast<T>(static_cast<Bits>(first) * static_cast<Bits>(second));
        else
            return first * second;
    }

    static T quotient(T dividend, T divisor)
    {
        if (divisor == 0)
            return 0;
        if constexpr (std::is_integral_v<T>)
        {
            // The one quotient that does not fit: the smallest value by -1 traps on x86.
            if (divisor == -1)
                return difference(0, dividend);
        }
        return dividend / divisor;
    }
};
} // namespace Basics
} // namespace Brivant
