#pragma once

#include "core/peripheral.h"

#include <map>
#include <string>
#include <vector>

namespace wattlet {

/// Which low-battery notifications of peripherals to send and to withdraw. A device is announced
/// when it is low (Peripheral::low()) and not charging, once per discharge: it is announced
/// again only after it charged or climbed 10 points above the threshold. Its notification is
/// withdrawn when it charges, is no longer low, or disappears.
class DeviceAlerts
{
public:
    struct Changes
    {
        Peripherals announce;
        /// Device ids.
        std::vector<std::string> withdraw;
    };

    /// The changes for the devices present now. With `notify` off nothing is announced, but a
    /// low device still counts as announced for this discharge, and withdrawals go on.
    [[nodiscard]] Changes update(const Peripherals& devices, bool notify);

private:
    struct State
    {
        bool armed = true;
        bool shown = false;
    };

    std::map<std::string, State> m_devices;
};

} // namespace wattlet
