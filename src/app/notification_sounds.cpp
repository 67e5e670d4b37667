#include "notification_sounds.h"

#include <initializer_list>

namespace wattlet {

namespace {

    constexpr std::string_view fallback = "dialog-warning";

    std::string firstInstalled(std::initializer_list<std::string_view> names,
        const std::function<bool(std::string_view)>& installed)
    {
        for (const std::string_view name : names) {
            if (installed(name))
                return std::string(name);
        }
        return std::string(fallback);
    }

} // namespace

NotificationSounds chooseSounds(const std::function<bool(std::string_view name)>& installed)
{
    NotificationSounds sounds;
    sounds.critical = firstInstalled({ "battery-caution", "battery-low" }, installed);
    sounds.low = firstInstalled({ "battery-low" }, installed);
    return sounds;
}

} // namespace wattlet
