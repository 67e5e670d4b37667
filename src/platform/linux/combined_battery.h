#pragma once

#include "battery_pack.h"
#include "external_supply.h"
#include "rate_smoother.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// The rated USB adapter that powers the laptop.
struct Charger
{
    std::string name;
    std::optional<std::int64_t> watts;

    bool operator==(const Charger&) const = default;
};

/// Every battery of the laptop as one pack, as users expect the laptop's total rather than the
/// first cell, and what powers it. Units are those of sysfs (µV, µA, µAh, µW, tenths of °C).
struct CombinedBattery
{
    /// The weightiest status of any pack (see PackStatus).
    PackStatus status = PackStatus::unknown;
    /// The packs' levels weighted by their full energy; a plain mean when any does not know it.
    double percent = 0;
    /// Any external supply online; with none that says, the status decides, and an idle pack
    /// only counts as on power when the level is full or held at a limit the user set (small
    /// gauges say "Not charging" on battery when no current flows).
    bool onAC = false;
    bool charging = false;
    /// Full by status, or idle on power with every pack full or at 99 % or more (firmware does
    /// not top up the last point or two).
    bool full = false;
    /// On power, idle and not full, with a not-charging pack that no limit the user set holds.
    bool unexplainedHold = false;
    bool slowed = false;
    /// The voltage of the pack with the weightiest status.
    std::optional<std::int64_t> voltageUV;
    /// The charge flow, positive into the packs: each pack's current, or its power at its
    /// conversion voltage where it measures no current. The direction comes from the status,
    /// since drivers disagree on the sign.
    std::optional<double> flowUA;
    /// Whether any pack measured its current, so flowUA is a current rather than an estimate.
    bool measuredCurrent = false;
    /// The packs' power, signed like flowUA.
    std::optional<double> powerUW;
    /// Sums over the packs; absent when any pack lacks the value.
    std::optional<double> designUAh;
    std::optional<double> fullUAh;
    std::optional<double> nowUAh;
    /// The user's stop limit when every pack has one below full charge: the highest of them.
    std::optional<std::int64_t> chargeLimitPercent;
    /// The highest of any pack.
    std::optional<std::int64_t> cycles;
    std::optional<std::int64_t> temperatureDeciC;
    /// Which way the charge moves; idle on power without charging.
    RateSmoother::Direction direction = RateSmoother::Direction::idle;
    /// The driver's own time to full or empty in that direction, for a single pack only, and
    /// not to full past a stop limit below 100 %.
    std::optional<std::int64_t> driverSecondsLeft;
    /// The charge still to move in that direction: to the stop limit (or full) when charging,
    /// to empty when discharging; absent when any pack lacks its charge now or full.
    std::optional<double> chargeLeftUAh;
    /// Only while on power, and only for a rated USB supply: the highest-rated online one.
    std::optional<Charger> charger;

    bool operator==(const CombinedBattery&) const = default;
};

/// The packs combined, with the external supplies deciding the power state and the charger;
/// nothing without packs.
[[nodiscard]] std::optional<CombinedBattery> combinedBattery(
    const std::vector<BatteryPack>& packs, const std::vector<ExternalSupply>& externals);

/// Minutes to full or empty: the driver's own time, else the charge left over `averageUA`, the
/// smoothed flow; 1–65534 minutes, nothing while idle or without a usable rate.
[[nodiscard]] std::optional<std::int64_t> minutesLeft(
    const CombinedBattery& battery, std::optional<double> averageUA);

} // namespace wattlet
