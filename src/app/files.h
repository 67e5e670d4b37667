#pragma once

#include "core/battery_history.h"
#include "core/health_log.h"

#include <QString>

#include <cstdint>

namespace wattlet::Files {

/// Files larger than this are not read, and saves stay below it: a history of two days is far
/// smaller.
inline constexpr std::int64_t maxHistoryBytes = std::int64_t { 16 } * 1024 * 1024;
/// Five years of daily health entries take about 150 KB.
inline constexpr std::int64_t maxHealthBytes = HealthLog::maxFileBytes;

/// AppFolders::data(): $XDG_DATA_HOME/Wattlet (default ~/.local/share/Wattlet) on Linux.
/// Derived from the environment on every call.
[[nodiscard]] QString dir();
/// dir() + "/history.json".
[[nodiscard]] QString historyPath();
/// historyPath() + ".unreadable": where a history file that could not be read is kept.
[[nodiscard]] QString unreadablePath();
/// dir() + "/health.json".
[[nodiscard]] QString healthPath();

/// The stored history; empty when the file is missing, not a regular file, unreadable, larger
/// than maxHistoryBytes or malformed. Such a refused regular file is left alone here, and the
/// next saveHistory() of this process moves it to unreadablePath() first (replacing an older
/// one), so a damaged file is kept once rather than overwritten. Never fails.
[[nodiscard]] BatteryHistory loadHistory();
/// Creates the folder when missing and replaces the file atomically and durably (a temporary
/// file in the same folder, flushed to disk, renamed over the old one). Writes the newest
/// samples that fit in maxHistoryBytes, so the file can always be read back. Failures are
/// silently skipped and leave the old file as it was.
void saveHistory(const BatteryHistory& history);

/// The stored health log, by the same rules as loadHistory() with maxHealthBytes; a refused
/// file is kept as healthPath() + ".unreadable".
[[nodiscard]] HealthLog loadHealth();
/// Writes the health log like saveHistory().
void saveHealth(const HealthLog& log);

} // namespace wattlet::Files
