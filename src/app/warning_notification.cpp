#include "warning_notification.h"

#include "app/brand.h"
#include "core/battery_text.h"
#include "platform/machine_name.h"

namespace wattlet {

std::string warningNotificationId(BatteryReading::Warning warning)
{
    return "wattlet." + std::string(rawValue(warning));
}

DesktopNotification warningNotification(BatteryReading::Warning warning,
    const BatteryReading& reading, Language language, const NotificationSounds& sounds)
{
    using W = BatteryReading::Warning;
    using Urgency = DesktopNotification::Urgency;
    DesktopNotification notification { warningNotificationId(warning),
        Brand::name(language).toStdString(),
        BatteryText::warning(warning, reading, language, machineName()), Urgency::normal, {}, {} };
    if (warning == W::critical) {
        notification.urgency = Urgency::critical;
        notification.sound = sounds.critical;
    } else if (warning == W::hot) {
        // Every sound theme has it: the freedesktop theme is the one all others fall back to.
        notification.sound = "dialog-warning";
    }
    return notification;
}

} // namespace wattlet
