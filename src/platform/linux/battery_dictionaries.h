#pragma once

#include "rate_smoother.h"
#include "sysfs_power_supply.h"

#include "core/property_value.h"

#include <optional>
#include <vector>

namespace wattlet {

/// The three property dictionaries the parser reads: the power-source description ("Current
/// Capacity", …), the battery registry entry ("Voltage", "BatteryData", …) and the pack entry
/// (always empty here: the temperature travels in the registry entry).
struct BatteryDictionaries
{
    PropertyDict power;
    PropertyDict registry;
    PropertyDict pack;

    bool operator==(const BatteryDictionaries&) const = default;
};

/// Maps sysfs power supplies into the three dictionaries. The battery is every present battery
/// of scope System (a missing scope counts as System), combined into one pack weighted by energy;
/// supplies of scope Device (mice, tablets) never count. Nothing when there is no such battery
/// or none of them reports a usable charge level (an all-zero read of a confused gauge).
/// Units are converted to mV, mA, mAh, mW, minutes and hundredths of °C; unreadable or
/// implausible values are left out. Without a time from the driver, the time to empty or full
/// comes from the remaining charge and `smoother`'s average rate, fed with this call's rate at
/// `now` (seconds); until that rate has settled, the time is the "still computing" marker.
/// `fixedLimit`: the firmware's fixed charge limit (IdeaPad conservation mode)
/// is on, which explains a hold.
[[nodiscard]] std::optional<BatteryDictionaries> batteryDictionaries(
    const std::vector<PowerSupply>& supplies, RateSmoother& smoother, double now,
    bool fixedLimit = false);

} // namespace wattlet
