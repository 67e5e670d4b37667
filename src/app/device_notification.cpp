#include "device_notification.h"

#include "core/battery_text.h"

namespace wattlet {

std::string deviceNotificationId(const std::string& deviceId)
{
    return "wattlet.device." + deviceId;
}

DesktopNotification deviceNotification(
    const Peripheral& device, Language language, const NotificationSounds& sounds)
{
    return { deviceNotificationId(device.id), BatteryText::t("warn.device.title", language),
        BatteryText::deviceWarning(device, language), DesktopNotification::Urgency::normal,
        sounds.low, {} };
}

} // namespace wattlet
