#pragma once

#include <QDBusConnection>
#include <QString>

namespace wattlet {

/// The program that owns `service` on `connection`: the file name of its executable
/// ("gnome-shell"), else its process name; empty when the bus or /proc does not tell.
[[nodiscard]] QString serviceProgram(const QDBusConnection& connection, const QString& service);

/// Whether a tray host run by `program` draws an item's XAyatanaLabel beside its icon: GNOME
/// Shell's AppIndicator extension and the Ayatana/Unity indicator service do; Plasma (kded5 and
/// plasmashell), xfce4-panel, lxqt-panel, waybar and unknown hosts do not.
[[nodiscard]] bool hostDrawsLabels(const QString& program);

} // namespace wattlet
