#include "full_reminder_notification.h"

#include "app/brand.h"
#include "core/battery_text.h"

#include <string>

namespace wattlet {

DesktopNotification fullReminderNotification(const BatteryReading& reading, Language language)
{
    return { fullReminderNotificationId, Brand::name(language == Language::ru).toStdString(),
        BatteryText::replacingPlaceholder(
            BatteryText::t("warn.full", language), std::to_string(reading.percent)),
        DesktopNotification::Urgency::normal, {}, {} };
}

} // namespace wattlet
