#include "full_reminder_notification.h"

#include "app/brand.h"
#include "core/battery_text.h"

#include <string>

namespace wattlet {

DesktopNotification fullReminderNotification(const BatteryReading& reading, Language language)
{
    return { fullReminderNotificationId, Brand::name(language).toStdString(),
        BatteryText::replacingPlaceholder(
            BatteryText::t("warn.full", language), BatteryText::integer(reading.percent, language)),
        DesktopNotification::Urgency::normal, {}, {} };
}

} // namespace wattlet
