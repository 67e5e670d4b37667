#pragma once

#include <QIcon>

namespace wattlet {

/// The application's icon: the icon theme's entry named after the application id when it is
/// installed, else the copy built into the program (the same picture), so an uninstalled build
/// shows it too.
[[nodiscard]] QIcon applicationIcon();

/// Only the built-in copy: the same picture on every machine, for renders that must not
/// depend on what is installed.
[[nodiscard]] QIcon builtInApplicationIcon();

} // namespace wattlet
