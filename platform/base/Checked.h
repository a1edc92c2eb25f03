#pragma once

#include "platform/base/Error.h"

#include <cmath>
#include <limits>
#include <type_traits>

// Integer arithmetic that reports leaving the range of its type instead of wrapping.
namespace Checked {

template <typename T> T narrow(long long value)
{
    static_assert(std::is_integral_v<T>);
    if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
        value > static_cast<long long>(std::numeric_limits<T>::max()))
        throw OverflowError();
    return static_cast<T>(value);
}

template <typename T> T add(T a, long long b)
{
    return narrow<T>(static_cast<long long>(a) + b);
}

template <typename T> T sub(T a, long long b)
{
    return narrow<T>(static_cast<long long>(a) - b);
}

// A floating-point value converted to an integer: nearest, halves to the even neighbour.
template <typename T> T round(double value)
{
    if (!std::isfinite(value))
        throw OverflowError();
    const double r = std::nearbyint(value); // default rounding mode is to nearest even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        throw OverflowError();
    return static_cast<T>(r);
}

} // namespace Checked
