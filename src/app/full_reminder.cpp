#include "full_reminder.h"

namespace wattlet {

FullReminder::Changes FullReminder::update(
    const BatteryReading& reading, std::int64_t level, bool notify)
{
    Changes changes;
    const bool on = level > 0 && !reading.chargeLimitPercent;
    const bool reached = reading.percent >= level || reading.full;
    if (!reading.onAC || reading.percent <= level - rearmPoints)
        m_armed = true;
    if (m_shown && (!reading.onAC || !on)) {
        changes.withdraw = true;
        m_shown = false;
    }
    // Reached on the way up: plugging in above the level, or starting there, is no news.
    if (on && reading.onAC && reached && m_below && m_armed) {
        m_armed = false;
        m_shown = notify;
        changes.announce = notify;
    }
    m_below = !reached;
    return changes;
}

} // namespace wattlet
