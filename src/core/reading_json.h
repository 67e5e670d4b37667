#pragma once

#include "battery_reading.h"

#include <string>

namespace wattlet {

/// One compact JSON object describing a reading for scripts: the 19 fields by their names
/// ("percent", "onAC", "minutesLeft", …) with absent ones left out, then "state" and "warnings"
/// (raw values), "dot", "symbol", and "watts" and "health" when present. A temperature or power
/// that is not a finite number is left out too.
[[nodiscard]] std::string readingJson(const BatteryReading& reading);

} // namespace wattlet
