#include "device_alerts.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace wattlet {

namespace {

    // Above this a device counts as recharged even when it never said it was charging (many
    // Bluetooth devices do not).
    bool recovered(const Peripheral& device, const WarningLevels& levels)
    {
        if (device.percent)
            return *device.percent >= levels.deviceLowPercent + 10;
        return device.level == Peripheral::Level::normal || device.level == Peripheral::Level::high
            || device.level == Peripheral::Level::full;
    }

} // namespace

DeviceAlerts::Changes DeviceAlerts::update(
    const Peripherals& devices, bool notify, const WarningLevels& levels)
{
    Changes changes;
    ++m_updates;
    for (const Peripheral& device : devices) {
        State& state = m_devices[device.id];
        state.seen = m_updates;
        const bool low = device.low(levels) && !device.charging;
        if (state.shown && !low) {
            changes.withdraw.push_back(device.id);
            state.shown = false;
        }
        if (device.charging || recovered(device, levels))
            state.armed = true;
        if (low && state.armed) {
            state.armed = false;
            if (notify) {
                changes.announce.push_back(device);
                state.shown = true;
            }
        }
    }
    for (auto& [id, state] : m_devices) {
        if (state.seen != m_updates && state.shown) {
            changes.withdraw.push_back(id);
            state.shown = false;
        }
    }
    forgetOldest();
    return changes;
}

void DeviceAlerts::forgetOldest()
{
    std::vector<std::pair<std::uint64_t, std::string>> gone;
    for (const auto& [id, state] : m_devices) {
        if (state.seen != m_updates)
            gone.emplace_back(state.seen, id);
    }
    if (gone.size() <= maxRemembered)
        return;
    std::sort(gone.begin(), gone.end());
    for (std::size_t i = 0; i < gone.size() - maxRemembered; ++i)
        m_devices.erase(gone[i].second);
}

} // namespace wattlet
