#pragma once

#include "core/battery_reading.h"

#include <string_view>
#include <vector>

namespace wattlet::Demo {

/// The fixed 96-value demo chart: a discharge from 92 % then a charge up to 99 %.
[[nodiscard]] const std::vector<double>& series();

/// The demo reading of `kind` ("battery", "low"; anything else is "charging"), stamped `now`.
[[nodiscard]] BatteryReading reading(std::string_view kind, double now);

} // namespace wattlet::Demo
