#pragma once

#include "core/battery_reading.h"

#include <array>
#include <optional>
#include <vector>

namespace wattlet {

/// Decides when warnings are announced and their announcements withdrawn, so that a value
/// hovering at a threshold does not flap. A warning seen for the first time is announced at
/// once; once seen it is not announced again until it has stayed clear for 15 minutes, and its
/// announcement is withdrawn only after it has stayed clear for a minute. Times are seconds
/// since 1970; when the clock goes back, a clear period restarts at the new time.
class WarningAlerts
{
public:
    using Warning = BatteryReading::Warning;

    static constexpr double withdrawAfterSeconds = 60;
    static constexpr double announceAgainAfterSeconds = 15 * 60;

    /// In the fixed warning order.
    struct Changes
    {
        std::vector<Warning> announce;
        std::vector<Warning> withdraw;
    };

    /// Takes the warnings of a new reading at `now`. With `notify` false nothing is announced,
    /// but new warnings count as seen all the same, so they are not announced later while they
    /// last. Withdrawals that have come due are included.
    Changes update(const std::vector<Warning>& active, double now, bool notify);
    /// The announcements withdrawn by `now` without a new reading.
    std::vector<Warning> due(double now);
    /// When due() next has something to do; absent when nothing is waiting.
    [[nodiscard]] std::optional<double> nextDue() const;

private:
    struct Track
    {
        bool seen = false;
        bool active = false;
        bool announced = false; // announced and not withdrawn since
        double clearSince = 0;
    };

    std::array<Track, allWarnings().size()> m_tracks {};
};

} // namespace wattlet
