#pragma once

#include "core/battery_reading.h"
#include "core/property_value.h"

#include <optional>
#include <string_view>

/// The thin layer between the operating system and the parser. Stateless; every call asks the
/// platform afresh. On Linux the sysfs power supplies (or $WATTLET_POWER_SUPPLY_DIR) are mapped
/// into the three dictionaries; $WATTLET_RECORDED names a JSON file of recorded dictionaries.
namespace wattlet::BatteryIO {

/// The internal battery's power-source description, or an empty dictionary.
[[nodiscard]] PropertyDict powerSource();
/// "AppleSmartBattery" (the battery entry) or "AppleSmartBatteryPack"; empty for anything else.
[[nodiscard]] PropertyDict properties(std::string_view name);
/// The reading of the three dictionaries stamped with the current time; nothing when the
/// machine has no system battery.
[[nodiscard]] std::optional<BatteryReading> read();
/// Forgets the live rate, as after a resume: the times of the next reads wait until it has
/// settled again.
void restartRate();
/// read() for a process that reads once (the command line's reports): the rate's average and
/// how long it has settled carry over from the previous such read of the same folder through
/// `$XDG_RUNTIME_DIR/wattlet-rate`, so a report run every few seconds settles as the tray does.
/// Without that folder every such read is the first one.
[[nodiscard]] std::optional<BatteryReading> readOnce();

} // namespace wattlet::BatteryIO
