#pragma once

#include "core/peripheral.h"
#include "core/warning_levels.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wattlet {

/// Which low-battery notifications of peripherals to send and to withdraw. A device is announced
/// when it is low (Peripheral::low() at the levels given) and not charging, once per discharge:
/// it is announced again only after it charged or climbed 10 points above the threshold. Its
/// notification is withdrawn when it charges, is no longer low, or disappears. A device that
/// disappears and comes back (a dropped Bluetooth link, the power daemon restarting) is still in
/// the same discharge: the last maxRemembered gone devices are remembered.
class DeviceAlerts
{
public:
    static constexpr std::size_t maxRemembered = 64;

    struct Changes
    {
        Peripherals announce;
        /// Device ids.
        std::vector<std::string> withdraw;
    };

    /// The changes for the devices present now. With `notify` off nothing is announced, but a
    /// low device still counts as announced for this discharge, and withdrawals go on.
    [[nodiscard]] Changes update(
        const Peripherals& devices, bool notify, const WarningLevels& levels = {});

private:
    struct State
    {
        bool armed = true;
        bool shown = false;
        /// The update that last listed the device.
        std::uint64_t seen = 0;
    };

    void forgetOldest();

    std::map<std::string, State> m_devices;
    std::uint64_t m_updates = 0;
};

} // namespace wattlet
