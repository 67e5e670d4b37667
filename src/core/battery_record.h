#pragma once

#include "battery_history.h"

#include <cstdint>
#include <vector>

namespace wattlet {

/// One point of the power daemon's own record of the battery: `t` seconds since 1970 UTC, the
/// value (percent for the charge, W as a magnitude for the rate) and the daemon's state code
/// (1 charging, 2 discharging, 3 empty, 4 full, 5 waiting to charge, 6 waiting to discharge).
struct RecordPoint
{
    double t = 0;
    double value = 0;
    std::uint32_t state = 0;

    bool operator==(const RecordPoint&) const = default;
};

/// Samples from the daemon's charge record (listed newest first, as UPower does), oldest first,
/// points of the same second in the order they were recorded: percent rounded and clamped to 0–100,
/// on power for the charging, full and waiting-to-charge states, the power from the rate point
/// nearest in time (within 10 minutes, negative while discharging). Points with a non-finite or
/// non-positive time or a non-finite value are dropped, and so are points whose state says
/// nothing about the power source (unknown).
[[nodiscard]] std::vector<BatterySample> recordSamples(
    std::vector<RecordPoint> charge, std::vector<RecordPoint> rate);

/// Puts the samples of `record` that lie before the history's first sample, and within the last
/// BatteryHistory::keepSeconds before `now`, in front of the history, so the history keeps its
/// order and retention; history samples older than that go. True when anything was added.
bool mergeEarlierRecord(BatteryHistory& history, std::vector<BatterySample> record, double now);

} // namespace wattlet
