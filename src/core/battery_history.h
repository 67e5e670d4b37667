#pragma once

#include "battery_reading.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// One point of the charge record. `t` is seconds since 1970 UTC, `p` the charge in percent,
/// `w` the power in W (absent when current or voltage was), `ac` whether power was connected.
struct BatterySample
{
    double t = 0;
    std::int64_t p = 0;
    std::optional<double> w;
    bool ac = false;

    bool operator==(const BatterySample&) const = default;
};

/// The rolling charge record, oldest sample first, pruned to the last 48 hours on every append.
/// Samples stay in non-decreasing time order: add() drops samples later than its `now`.
struct BatteryHistory
{
    static constexpr double keepSeconds = 172800;
    /// The most steps series() computes; a larger request is clamped to this many steps.
    static constexpr std::int64_t maxSeriesPoints = 100000;

    std::vector<BatterySample> samples;

    bool operator==(const BatteryHistory&) const = default;

    /// First drops samples later than `now` (the clock went back). Then appends a sample unless
    /// the last one has the same percent and power source and is less than 60 s old, and drops
    /// samples older than keepSeconds. True when a sample was appended. A non-finite `now` is
    /// ignored (false, nothing changes).
    bool add(const BatteryReading& reading, double now);

    /// The first sample at most keepSeconds older than `now`, end() when there is none: the
    /// samples before it are past the retention and go at the next add().
    [[nodiscard]] std::vector<BatterySample>::const_iterator firstKept(double now) const;

    /// Chart values: for each of `points` equal steps over the last `hours`, the percent of the
    /// latest sample at or before the step's end; steps before the first sample are left out.
    /// Empty for `points` ≤ 0; more than maxSeriesPoints steps are clamped to maxSeriesPoints.
    [[nodiscard]] std::vector<double> series(double hours, std::int64_t points, double now) const;

    /// Percentage points gained (positive) or lost over the last hour, measured from the newest
    /// sample at least an hour old, else from the oldest; absent for fewer than two usable samples
    /// and when the difference does not fit an int64.
    [[nodiscard]] std::optional<std::int64_t> deltaLastHour(double now) const;

    /// Compact JSON: {"samples":[{"t":…,"p":…,"w":…,"ac":…},…]}, "w" left out when absent.
    /// Doubles read back exactly. JSON has no NaN or infinity: a sample with a non-finite `t` is
    /// left out and a non-finite `w` is written as absent.
    [[nodiscard]] std::string toJson() const;
    /// toJson() of the newest samples whose document fits in `maxBytes`: the oldest are left out
    /// first. Always at least the empty document {"samples":[]}.
    [[nodiscard]] std::string toJson(std::size_t maxBytes) const;

    /// The history stored in `json`, or nothing when the document breaks any reading rule: an
    /// object whose "samples" array holds objects with a numeric "t", an integral "p" within
    /// int64, a boolean "ac" and an optional (null or missing) numeric "w"; other keys ignored.
    /// A number beyond the double range or a NUL byte anywhere counts as broken. Samples are
    /// kept as stored.
    [[nodiscard]] static std::optional<BatteryHistory> fromJson(std::string_view json);
};

} // namespace wattlet
