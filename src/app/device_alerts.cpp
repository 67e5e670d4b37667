#include "device_alerts.h"

#include <set>

namespace wattlet {

namespace {

    // Above this a device counts as recharged even when it never said it was charging (many
    // Bluetooth devices do not).
    bool recovered(const Peripheral& device)
    {
        if (device.percent)
            return *device.percent >= Peripheral::lowPercent + 10;
        return device.level == Peripheral::Level::normal || device.level == Peripheral::Level::high
            || device.level == Peripheral::Level::full;
    }

} // namespace

DeviceAlerts::Changes DeviceAlerts::update(const Peripherals& devices, bool notify)
{
    Changes changes;
    std::set<std::string> present;
    for (const Peripheral& device : devices) {
        present.insert(device.id);
        State& state = m_devices[device.id];
        const bool low = device.low() && !device.charging;
        if (state.shown && !low) {
            changes.withdraw.push_back(device.id);
            state.shown = false;
        }
        if (device.charging || recovered(device))
            state.armed = true;
        if (low && state.armed) {
            state.armed = false;
            if (notify) {
                changes.announce.push_back(device);
                state.shown = true;
            }
        }
    }
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        if (present.count(it->first) != 0) {
            ++it;
            continue;
        }
        if (it->second.shown)
            changes.withdraw.push_back(it->first);
        it = m_devices.erase(it);
    }
    return changes;
}

} // namespace wattlet
