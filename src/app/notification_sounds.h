#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace wattlet {

/// The sound names the notifications play, chosen once at start from what the installed sound
/// themes hold: a name no theme holds plays nothing at all (Debian's freedesktop theme has no
/// battery sounds).
struct NotificationSounds
{
    /// The critical battery warning.
    std::string critical = "dialog-warning";
    /// A peripheral's low battery.
    std::string low = "dialog-warning";

    bool operator==(const NotificationSounds&) const = default;
};

/// For the critical warning "battery-caution", else "battery-low"; for a low peripheral
/// "battery-low"; each else "dialog-warning", also when `installed` knows none of them.
[[nodiscard]] NotificationSounds chooseSounds(
    const std::function<bool(std::string_view name)>& installed);

} // namespace wattlet
