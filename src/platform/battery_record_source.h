#pragma once

#include "core/battery_history.h"

#include <QObject>

#include <functional>
#include <vector>

namespace wattlet {

/// Asks the system's power daemon for its own record of the machine's battery over the last
/// BatteryHistory::keepSeconds (charge, and power where the daemon has it) and calls `done` once
/// on the calling thread with the samples, oldest first. Empty when there is no daemon, no
/// single battery of the machine, no record, or an answer that cannot be read. Only
/// asynchronous calls: the caller's thread never waits. Nothing is called once `context` is
/// gone.
void fetchBatteryRecord(QObject* context, std::function<void(std::vector<BatterySample>)> done);

} // namespace wattlet
