#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace wattlet {

/// Whether `value` truncated toward zero is an int64: −2^63 ≤ value < 2^63. False for NaN and
/// the infinities. Casting a double outside this range to an integer is undefined.
[[nodiscard]] constexpr bool fitsInt64(double value) { return value >= -0x1p63 && value < 0x1p63; }

/// `value` truncated toward zero; absent when it does not fit an int64 (NaN and infinities too).
[[nodiscard]] constexpr std::optional<std::int64_t> truncatedInt64(double value)
{
    if (!fitsInt64(value))
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

/// `value` truncated toward zero and clamped to the int64 range; absent only for NaN.
[[nodiscard]] constexpr std::optional<std::int64_t> saturatedInt64(double value)
{
    if (fitsInt64(value))
        return static_cast<std::int64_t>(value);
    if (value < 0)
        return std::numeric_limits<std::int64_t>::min();
    if (value > 0)
        return std::numeric_limits<std::int64_t>::max();
    return std::nullopt;
}

} // namespace wattlet
