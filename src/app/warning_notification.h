#pragma once

#include "app/notification_sounds.h"
#include "core/battery_reading.h"
#include "core/language.h"
#include "platform/desktop_notifier.h"

#include <string>

namespace wattlet {

/// "wattlet." followed by the warning's raw value: names its desktop notification.
[[nodiscard]] std::string warningNotificationId(BatteryReading::Warning warning);

/// The desktop notification of `warning` for `reading` in `language`: the program's name as
/// title, the warning's sentence as body. A critical charge sounds and is urgent (which passes
/// most servers' do-not-disturb), a hot battery sounds at normal urgency, every other warning
/// is silent at normal urgency.
[[nodiscard]] DesktopNotification warningNotification(BatteryReading::Warning warning,
    const BatteryReading& reading, Language language, const NotificationSounds& sounds = {});

} // namespace wattlet
