#include "warning_alerts.h"

#include <algorithm>

namespace wattlet {

WarningAlerts::Changes WarningAlerts::update(
    const std::vector<Warning>& active, double now, bool notify)
{
    Changes changes;
    for (const Warning warning : allWarnings()) {
        Track& track = m_tracks[static_cast<std::size_t>(warning)];
        track.clearSince = std::min(track.clearSince, now);
        if (std::find(active.begin(), active.end(), warning) == active.end()) {
            if (track.active)
                track.clearSince = now;
            track.active = false;
            continue;
        }
        const bool fresh
            = !track.seen || (!track.active && now - track.clearSince >= announceAgainAfterSeconds);
        track.seen = true;
        track.active = true;
        if (fresh && notify) {
            track.announced = true;
            changes.announce.push_back(warning);
        }
    }
    changes.withdraw = due(now);
    return changes;
}

std::vector<WarningAlerts::Warning> WarningAlerts::due(double now)
{
    std::vector<Warning> withdrawn;
    for (const Warning warning : allWarnings()) {
        Track& track = m_tracks[static_cast<std::size_t>(warning)];
        if (track.active || !track.announced)
            continue;
        track.clearSince = std::min(track.clearSince, now);
        if (now - track.clearSince >= withdrawAfterSeconds) {
            track.announced = false;
            withdrawn.push_back(warning);
        }
    }
    return withdrawn;
}

std::optional<double> WarningAlerts::nextDue() const
{
    std::optional<double> next;
    for (const Track& track : m_tracks) {
        if (track.active || !track.announced)
            continue;
        const double at = track.clearSince + withdrawAfterSeconds;
        next = next ? std::min(*next, at) : at;
    }
    return next;
}

} // namespace wattlet
