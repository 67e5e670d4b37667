#pragma once

#include "core/battery_history.h"

#include <QString>

namespace wattlet::Files {

/// $XDG_DATA_HOME/Wattlet (default ~/.local/share/Wattlet), fixed on first use.
[[nodiscard]] QString dir();
/// dir() + "/history.json".
[[nodiscard]] QString historyPath();

/// The stored history; empty when the file is missing, unreadable, over 16 MiB or malformed
/// (the file is then left alone). Never fails.
[[nodiscard]] BatteryHistory loadHistory();
/// Replaces the file atomically and durably; failures are silently skipped.
void saveHistory(const BatteryHistory& history);

} // namespace wattlet::Files
