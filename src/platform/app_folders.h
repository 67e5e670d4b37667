#pragma once

#include <QString>

/// Where the program keeps its files, after the conventions of the operating system. Derived
/// from the environment on every call, so a changed HOME or XDG_* takes effect at once.
namespace wattlet::AppFolders {

/// The data folder: history, health log, instance lock. $XDG_DATA_HOME/Wattlet (default
/// ~/.local/share/Wattlet) on Linux.
[[nodiscard]] QString data();
/// The settings file: $XDG_CONFIG_HOME/Wattlet/Wattlet.conf on Linux.
[[nodiscard]] QString settingsFile();
/// From now on, both under `root`: for runs that must neither read nor change the user's own
/// settings, history and health log.
void moveUnder(const QString& root);

} // namespace wattlet::AppFolders
