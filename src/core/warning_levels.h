#pragma once

#include <cstdint>
#include <optional>

namespace wattlet {

/// The charge levels, in percent, at or below which the battery counts as low or critical and a
/// peripheral as low: the user's choice, 20, 10 and 10 unless changed. They decide the warnings,
/// the status dot and the icon's colour, so every view of a reading must be given the same ones.
struct WarningLevels
{
    /// Every level lies in this range.
    static constexpr std::int64_t minPercent = 1;
    static constexpr std::int64_t maxPercent = 50;

    std::int64_t lowPercent = 20;
    std::int64_t criticalPercent = 10;
    std::int64_t deviceLowPercent = 10;

    bool operator==(const WarningLevels&) const = default;

    /// Every level within minPercent–maxPercent and the critical level below the low one.
    [[nodiscard]] bool valid() const;

    /// The levels as stored: each one absent or out of range is its default, and the low and
    /// critical levels both are when they contradict each other (neither can be trusted over
    /// the other).
    [[nodiscard]] static WarningLevels stored(std::optional<std::int64_t> low,
        std::optional<std::int64_t> critical, std::optional<std::int64_t> deviceLow);
};

} // namespace wattlet
