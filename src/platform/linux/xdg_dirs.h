#pragma once

#include <QString>
#include <QStringList>

/// The per-user base folders of the XDG Base Directory standard. The environment is read
/// on every call, so a changed XDG_* or HOME takes effect at once.
namespace wattlet::XdgDirs {

/// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
[[nodiscard]] QString dataHome();
/// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config.
[[nodiscard]] QString configHome();
/// The absolute entries of $XDG_DATA_DIRS in order; without any, /usr/local/share and /usr/share.
[[nodiscard]] QStringList dataDirs();

} // namespace wattlet::XdgDirs
