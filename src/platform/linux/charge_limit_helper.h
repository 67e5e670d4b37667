#pragma once

#include "sysfs_charge_limit.h"

#include "platform/charge_limit_control.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QObject;

namespace wattlet {

/// The helper's arguments that set `request` on each battery that has a limit, in the form its
/// shape takes: "set NAME START END", "set NAME END", or "off NAME" for no limit. A battery with
/// both thresholds and a request without a start gets a start 5 below the end.
[[nodiscard]] std::vector<QStringList> helperCommands(
    const std::vector<LimitBattery>& batteries, const ChargeLimitRequest& request);
/// "lift NAME" for each battery that has a limit.
[[nodiscard]] std::vector<QStringList> liftCommands(const std::vector<LimitBattery>& batteries);

/// What an exit status of pkexec running the helper means: 0 done, 126 dismissed, 127 not
/// authorized, 2 refused, 3 unsupported, anything else failed.
[[nodiscard]] ChargeLimitOutcome helperOutcome(int exitStatus);

/// Runs `helper` with each of `commands` in turn through `pkexec`, without waiting, and calls
/// `done` in `context` with the first failure (its reason from the helper's standard error) or
/// done. A program that does not start is unavailable; one that crashes failed; one still running
/// after `timeoutMs` timed out, and the commands after it are not run.
void runHelper(const QString& pkexec, const QString& helper, std::vector<QStringList> commands,
    int timeoutMs, QObject* context, std::function<void(const ChargeLimitResult&)> done);

} // namespace wattlet
