#pragma once

#include "warning_levels.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// One snapshot of the battery and the power supply. Absent optionals mean the platform gave no
/// usable value; nothing is ever encoded as a sentinel number. Derived values are recomputed on
/// every call and never cached.
struct BatteryReading
{
    enum class State { charging, full, hold, discharging };
    enum class Warning { critical, low, hot, weakCharger, slowCharging, notCharging, healthLow };
    /// Why the reports show no time while the charge moves: the rate has not settled since the
    /// last plug change, resume or start; it is below what a laptop plausibly uses; the time is
    /// beyond a day; or the charge is within almostFullPercent of where charging stops.
    enum class TimeWithheld { settling, rateTooLow, moreThanDay, almostFull };

    /// The time the reports show, or why they show none (both absent when the charge does not
    /// move).
    struct TimeEstimate
    {
        std::optional<std::int64_t> minutes;
        std::optional<TimeWithheld> withheld;

        bool operator==(const TimeEstimate&) const = default;
    };

    static constexpr double hotC = 45.0;
    static constexpr std::int64_t weakAdapterWatts = 30;
    static constexpr std::int64_t healthLowPercent = 80;
    /// A hold this many points below the user's charge limit counts as the limit reached.
    static constexpr std::int64_t chargeLimitSlackPercent = 2;
    /// Below this rate, in percent of the full charge per hour, the rate is a gauge settling or
    /// trickling, not a laptop in use: the laptops recorded use 5–30 % an hour.
    static constexpr double minRatePercentPerHour = 2;
    /// Longer times are shown as "more than a day".
    static constexpr std::int64_t maxShownMinutes = 24 * 60;
    /// Charging this close to its stop (the limit, else 100 %) is "almost full".
    static constexpr std::int64_t almostFullPercent = 2;

    bool present = true;
    std::int64_t percent = 0;
    bool charging = false;
    bool onAC = false;
    bool full = false;
    /// The platform's time to full or empty, as it gave it; the reports show timeEstimate().
    std::optional<std::int64_t> minutesLeft;
    /// The platform says its time is still being computed (the rate has not settled).
    bool timeSettling = false;
    std::optional<std::int64_t> amperageMA;
    std::optional<std::int64_t> voltageMV;
    std::optional<std::int64_t> adapterWatts;
    std::optional<std::string> adapterName;
    std::optional<std::int64_t> designCapacity;
    std::optional<std::int64_t> fullCapacity;
    std::optional<std::int64_t> remainingCapacity;
    std::optional<std::int64_t> cycles;
    std::optional<double> temperatureC;
    std::optional<std::int64_t> notChargingReason;
    std::optional<std::int64_t> slowChargingReason;
    std::optional<std::int64_t> thermallyLimitedSeconds;
    /// The charge limit the user set, 1–99 %; absent without one (or at 100 %).
    std::optional<std::int64_t> chargeLimitPercent;
    /// A charge limit the firmware fixes (IdeaPad conservation mode) is on; its level is unknown.
    bool fixedChargeLimit = false;
    double updated = 0;

    bool operator==(const BatteryReading&) const = default;

    /// Power in W (mA × mV / 1 000 000 in doubles, negative while discharging, not rounded);
    /// absent without current or voltage. Always finite, even for the extreme int64 values.
    [[nodiscard]] std::optional<double> watts() const;
    /// Full capacity as a percentage of design, rounded half away from zero, at most 100 and
    /// without a lower bound except that it saturates at the int64 minimum; absent without full
    /// capacity or with a design capacity below 1.
    [[nodiscard]] std::optional<std::int64_t> health() const;
    /// discharging off power; on power charging, then full (flag set or 100 % and more),
    /// otherwise hold.
    [[nodiscard]] State state() const;
    /// While charging or discharging, minutesLeft where it is believable, else why not: almost
    /// full (charging within almostFullPercent of the limit or 100 %), settling (no time yet, or
    /// timeSettling), a rate below minRatePercentPerHour (the points still to move, from the
    /// capacities where known, over the time), more than maxShownMinutes; in that order.
    [[nodiscard]] TimeEstimate timeEstimate() const;
    /// On power, neither charging nor full, and held at 70–90 % inclusive.
    [[nodiscard]] bool optimizedHold() const;
    /// A hold (see state()) within chargeLimitSlackPercent of the user's charge limit or above it,
    /// or any hold while the firmware's fixed limit is on.
    [[nodiscard]] bool heldAtLimit() const;
    /// "battery.<bucket>percent" with the bucket 0/25/50/75/100 chosen from the charge.
    [[nodiscard]] std::string fillSymbol() const;
    /// "battery.100percent.bolt" on power, otherwise fillSymbol().
    [[nodiscard]] std::string symbol() const;
    /// Status dot colour name: "red" for hot or critical, "yellow" for low, notCharging or
    /// weakCharger, else "blue" while charging on power and "green" otherwise; low and critical
    /// as warnings() has them at `levels`.
    [[nodiscard]] std::string dot(const WarningLevels& levels = {}) const;
    /// Active warnings, always a subsequence of allWarnings(): critical (at or below the critical
    /// level of `levels`) or low (at or below the low level) only off power, hot always,
    /// weakCharger/slowCharging/notCharging only on power (never notCharging inside the 70–90 %
    /// hold band or above 99 %), healthLow always.
    [[nodiscard]] std::vector<Warning> warnings(const WarningLevels& levels = {}) const;
};

/// Full capacity as a percentage of design, not rounded and not capped at 100.
[[nodiscard]] double capacityPercent(std::int64_t fullCapacity, std::int64_t designCapacity);
/// A capacity percentage as a health: rounded half away from zero, at most 100 and without a
/// lower bound except that it saturates at the int64 minimum; absent only for NaN.
[[nodiscard]] std::optional<std::int64_t> roundedHealth(double percent);

/// The raw text of a state or warning: its case name ("charging", "weakCharger", …).
[[nodiscard]] std::string_view rawValue(BatteryReading::State state);
[[nodiscard]] std::string_view rawValue(BatteryReading::Warning warning);
[[nodiscard]] std::string_view rawValue(BatteryReading::TimeWithheld withheld);

/// The seven warnings in their fixed order.
[[nodiscard]] constexpr std::array<BatteryReading::Warning, 7> allWarnings()
{
    using W = BatteryReading::Warning;
    return { W::critical, W::low, W::hot, W::weakCharger, W::slowCharging, W::notCharging,
        W::healthLow };
}

} // namespace wattlet
