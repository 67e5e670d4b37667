#pragma once

#include "core/tray_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The program's files without Qt, for the command line's reports that start in a moment; the
/// tray reaches the same paths through AppFolders. Derived from the environment on every call.
namespace wattlet::AppFiles {

/// An XDG base folder: `variable` when it holds an absolute path (normalised), else
/// `fallbackUnderHome` under $HOME (under / without a HOME).
[[nodiscard]] std::string xdgBaseDir(const char* variable, std::string_view fallbackUnderHome);
/// $XDG_DATA_HOME/Wattlet, default ~/.local/share/Wattlet.
[[nodiscard]] std::string dataDir();
/// The daily health log in dataDir().
[[nodiscard]] std::string healthFile();
/// $XDG_CONFIG_HOME/Wattlet/Wattlet.conf, default ~/.config/Wattlet/Wattlet.conf.
[[nodiscard]] std::string settingsFile();
/// `name` in $XDG_RUNTIME_DIR (the user's own folder for the session); nothing when that is not
/// an absolute path.
[[nodiscard]] std::optional<std::string> runtimeFile(std::string_view name);
/// Writes `text` beside `path` and renames it over `path`, so a reader never sees half a file;
/// false when that failed (nothing is left behind).
bool replaceFile(const std::string& path, const std::string& text);

/// The start time of process `pid` in clock ticks since boot, from /proc; nothing when no such
/// process runs.
[[nodiscard]] std::optional<std::int64_t> processStart(std::int64_t pid);
/// Publishes what the running tray knows for the reports in $XDG_RUNTIME_DIR/wattlet-tray.json,
/// stamped with this process; nothing removes the file.
void publishTrayState(const std::optional<TrayState>& state);
/// The published state while the process that published it still runs; nothing otherwise.
[[nodiscard]] std::optional<TrayState> liveTrayState();

} // namespace wattlet::AppFiles
