#pragma once

#include "core/battery_reading.h"

#include <cstdint>

namespace wattlet {

/// When to remind that the battery is charged enough to unplug the charger: once per charge,
/// when the charge on power reaches the chosen level (or the battery says it is full) from
/// below. It is not announced again until the charge has dropped rearmPoints below the level or
/// the charger was unplugged, so a charge hovering at the level reminds once. Its notification
/// is withdrawn when the charger is unplugged, the reminder is switched off, or a charge limit
/// (which stops charging by itself) appears. With `notify` off nothing is announced, but the
/// level reached counts as announced for this charge.
class FullReminder
{
public:
    static constexpr std::int64_t rearmPoints = 5;

    struct Changes
    {
        bool announce = false;
        bool withdraw = false;
    };

    /// The changes for a new reading; `level` 0 is off.
    [[nodiscard]] Changes update(const BatteryReading& reading, std::int64_t level, bool notify);

private:
    bool m_armed = true;
    /// The previous reading was below the level.
    bool m_below = false;
    bool m_shown = false;
};

} // namespace wattlet
