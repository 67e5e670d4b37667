#pragma once

#include <QString>

/// The names UPower answers to on the system bus.
namespace wattlet::UPowerNames {

/// The daemon's bus name, which is also the interface of its own object.
inline const QString service = QStringLiteral("org.freedesktop.UPower");
inline const QString path = QStringLiteral("/org/freedesktop/UPower");
inline const QString deviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
/// The start of every device's object path.
inline const QString devicesPath = QStringLiteral("/org/freedesktop/UPower/devices/");

} // namespace wattlet::UPowerNames
