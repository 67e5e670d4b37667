#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace wattlet::SysfsUnits {

/// sysfs counts in micro-units: µV, µA, µAh, µWh, µW.
inline constexpr double micro = 1e6;
/// Anything larger (about a million amperes or watt-hours) is a broken read, not a measurement.
inline constexpr std::int64_t maxMicroValue = std::int64_t { 1 } << 40;

/// The nearest whole number; nothing for NaN, infinity or a magnitude beyond maxMicroValue.
[[nodiscard]] inline std::optional<std::int64_t> rounded(double value)
{
    if (!std::isfinite(value) || std::abs(value) > static_cast<double>(maxMicroValue))
        return std::nullopt;
    return static_cast<std::int64_t>(std::llround(value));
}

/// A micro-unit value in milli-units, rounded; nothing for nothing.
[[nodiscard]] inline std::optional<std::int64_t> milli(std::optional<double> micros)
{
    return micros ? rounded(*micros / 1000) : std::nullopt;
}

} // namespace wattlet::SysfsUnits
