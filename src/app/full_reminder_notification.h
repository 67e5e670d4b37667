#pragma once

#include "core/battery_reading.h"
#include "core/language.h"
#include "platform/desktop_notifier.h"

namespace wattlet {

/// Names the reminder's notification.
inline constexpr char fullReminderNotificationId[] = "wattlet.fullReminder";

/// The reminder that the battery is charged enough to unplug the charger, in `language`: the
/// program's name as title, the charge in the body; normal urgency, silent.
[[nodiscard]] DesktopNotification fullReminderNotification(
    const BatteryReading& reading, Language language);

} // namespace wattlet
