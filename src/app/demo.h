#pragma once

#include "core/battery_reading.h"
#include "core/health_log.h"
#include "core/peripheral.h"

#include <string_view>
#include <vector>

namespace wattlet::Demo {

/// The fixed 96-value demo chart: a discharge from 92 % then a charge up to 99 %.
[[nodiscard]] const std::vector<double>& series();

/// The demo reading of `kind` ("battery", "low", "limit": held at an 80 % charge limit;
/// anything else is "charging"), stamped `now`.
[[nodiscard]] BatteryReading reading(std::string_view kind, double now);

/// The peripherals of `kind`: a mouse at 8 %, a keyboard at 72 % and a headset at a normal level
/// for "devices", none for the others.
[[nodiscard]] Peripherals peripherals(std::string_view kind);

/// A 400-day health log ending on `today`: the full capacity of the demo reading's battery
/// fading from 102 % of design, with 90 cycles by the last day.
[[nodiscard]] HealthLog healthLog(std::int64_t today);

} // namespace wattlet::Demo
