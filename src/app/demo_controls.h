#pragma once

#include "core/battery_reading.h"
#include "platform/charge_limit_control.h"
#include "platform/power_profiles.h"

#include <memory>

namespace wattlet::Demo {

/// A charge limit that changes at once when asked, for demo runs and pictures: a ThinkPad-like
/// battery with both thresholds, on at 5 points below and at the reading's limit when it has
/// one, else off.
[[nodiscard]] std::unique_ptr<ChargeLimitControl> chargeLimit(const BatteryReading& reading);

/// The three profiles of power-profiles-daemon, balanced active; choosing one makes it active.
[[nodiscard]] std::unique_ptr<PowerProfiles> powerProfiles();

} // namespace wattlet::Demo
