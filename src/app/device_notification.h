#pragma once

#include "app/notification_sounds.h"
#include "core/language.h"
#include "core/peripheral.h"
#include "platform/desktop_notifier.h"

#include <string>

namespace wattlet {

/// "wattlet.device." followed by the device's id: names its low-battery notification.
[[nodiscard]] std::string deviceNotificationId(const std::string& deviceId);

/// The low-battery notification of `device` in `language`: "Device battery low" as title, its
/// name and charge as body, normal urgency with the low-battery sound of `sounds`.
[[nodiscard]] DesktopNotification deviceNotification(
    const Peripheral& device, Language language, const NotificationSounds& sounds = {});

} // namespace wattlet
