#pragma once

#include "battery_reading.h"
#include "language.h"
#include "peripheral.h"
#include "power_controls.h"
#include "warning_levels.h"

#include <optional>
#include <string>

namespace wattlet {

/// One compact JSON object describing a reading for scripts: the 20 fields by their names
/// ("percent", "onAC", "minutesLeft", …) with absent ones left out ("minutesLeft" is the time
/// the reports show, and "timeWithheld" after "updated" says why none is: "settling",
/// "rateTooLow", "moreThanDay", "almostFull"), then "state" and "warnings"
/// (raw values), "dot", "symbol", and "watts" and "health" when present, the warnings and the dot
/// at `levels`. A temperature or power that is not a finite number is left out too.
[[nodiscard]] std::string readingJson(
    const BatteryReading& reading, const WarningLevels& levels = {});
/// readingJson() followed by "devices": one object per peripheral with "kind" (raw value),
/// "name" (the model, else the kind's text in `language`), "percent" and "level" (the one not
/// known is null) and "charging".
[[nodiscard]] std::string readingJson(const BatteryReading& reading, const Peripherals& devices,
    Language language, const WarningLevels& levels = {});
/// readingJson() with the devices, then "chargeLimit" ("shape", "start" and "end" when known,
/// "on", "lifted", "kept" during a lift, "route", "changeable", "obstacle"; on UPower's route
/// also "upower", the thresholds its switch applies, and "upowerDiffers", whether the battery
/// holds other ones) and "powerProfile"
/// ("active", "profiles", "degraded", "holds"), each null when absent from `controls`.
[[nodiscard]] std::string readingJson(const BatteryReading& reading, const Peripherals& devices,
    const PowerControls& controls, Language language, const WarningLevels& levels = {});

/// The line a one-shot report prints: readingJson() with the devices and controls when `json`,
/// else the summary; without a reading "null" or the "noBattery" text.
[[nodiscard]] std::string reportLine(bool json, const std::optional<BatteryReading>& reading,
    const Peripherals& devices, const PowerControls& controls, Language language,
    const WarningLevels& levels);

} // namespace wattlet
