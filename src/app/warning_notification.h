#pragma once

#include "core/battery_reading.h"
#include "core/language.h"
#include "platform/desktop_notifier.h"

#include <string>

namespace wattlet {

/// "wattlet." followed by the warning's raw value: names its desktop notification.
[[nodiscard]] std::string warningNotificationId(BatteryReading::Warning warning);

/// The desktop notification of `warning` for `reading` in `language`: the program's name as
/// title, the warning's sentence as body; a critical charge and a hot battery are urgent and
/// sound, every other warning is silent.
[[nodiscard]] DesktopNotification warningNotification(
    BatteryReading::Warning warning, const BatteryReading& reading, Language language);

} // namespace wattlet
