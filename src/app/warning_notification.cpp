#include "warning_notification.h"

#include "app/brand.h"
#include "core/battery_text.h"

namespace wattlet {

std::string warningNotificationId(BatteryReading::Warning warning)
{
    return "wattlet." + std::string(rawValue(warning));
}

DesktopNotification warningNotification(
    BatteryReading::Warning warning, const BatteryReading& reading)
{
    using W = BatteryReading::Warning;
    using Urgency = DesktopNotification::Urgency;
    DesktopNotification notification { warningNotificationId(warning),
        Brand::name(BatteryText::language() == "ru").toStdString(),
        BatteryText::warning(warning, reading), Urgency::normal, {} };
    if (warning == W::critical) {
        notification.urgency = Urgency::critical;
        notification.sound = "battery-low";
    } else if (warning == W::hot) {
        notification.urgency = Urgency::critical;
        notification.sound = "dialog-warning";
    }
    return notification;
}

} // namespace wattlet
