#pragma once

#include "sysfs_power_supply.h"

#include <cstdint>
#include <optional>

namespace wattlet {

/// A battery's `status`, ordered by weight when packs are combined: one that moves charge wins
/// over one that holds, so a flat or idle second pack cannot hide a working first one.
enum class PackStatus { full, unknown, notCharging, discharging, charging };

/// One battery supply in typed form, in sysfs units (µV, µA, µAh, µWh, µW, seconds, tenths of
/// °C). Each optional is absent when unreadable or beyond what a laptop pack can physically do:
/// currents beyond ±50 A, voltages outside 1–30 V and powers beyond ±500 W are driver glitches
/// (an unsigned −1 read as 4294967295 µA), not measurements.
struct BatteryPack
{
    static constexpr std::int64_t maxCurrentUA = 50'000'000;
    static constexpr std::int64_t leastVoltageUV = 1'000'000;
    static constexpr std::int64_t mostVoltageUV = 30'000'000;
    static constexpr std::int64_t maxPowerUW = 500'000'000;

    PackStatus status = PackStatus::unknown;
    /// 0–100: `capacity`, else the charge or energy now over full.
    double percent = 0;
    std::optional<double> energyFullUWh;
    std::optional<std::int64_t> voltageUV;
    /// The voltage that turns energy into charge: the minimum design voltage, else the maximum,
    /// else the present voltage.
    std::optional<double> conversionUV;
    std::optional<double> nowUAh;
    std::optional<double> fullUAh;
    std::optional<double> designUAh;
    /// As the driver signs it; drivers disagree on the sign.
    std::optional<std::int64_t> currentUA;
    std::optional<std::int64_t> powerUW;
    std::optional<std::int64_t> cycles;
    std::optional<std::int64_t> temperatureDeciC;
    std::optional<std::int64_t> toEmptyS;
    std::optional<std::int64_t> toFullS;
    /// Charge limits the user set, in percent.
    std::optional<std::int64_t> startLimit;
    std::optional<std::int64_t> endLimit;
    /// `charge_behaviour` is inhibit-charge.
    bool inhibited = false;
    /// Trickle charging, or too hot or cold to charge at full speed.
    bool slowed = false;

    /// The level is within two points of the stop limit, or above it.
    [[nodiscard]] bool endLimitReached() const;
    /// A hold the user asked for: charging inhibited, the stop limit reached, or the level still
    /// at or above the limit below which charging restarts.
    [[nodiscard]] bool heldByLimit() const;

    bool operator==(const BatteryPack&) const = default;
};

/// The pack of a battery supply; nothing when it gives no charge level worth showing (a 0 % from
/// a gauge that knows no full capacity either is the all-zero read of a confused driver). A pack
/// that says "Charging" with no flow at its stop limit is taken as not charging: some firmware
/// holds there without saying so.
[[nodiscard]] std::optional<BatteryPack> batteryPack(const PowerSupply& supply);

} // namespace wattlet
