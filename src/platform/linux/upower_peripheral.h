#pragma once

#include "core/peripheral.h"

#include <QString>
#include <QVariantMap>

#include <optional>

namespace wattlet {

/// True for the object paths of UPower's devices ("/org/freedesktop/UPower/devices/…"), except
/// the aggregate "DisplayDevice".
[[nodiscard]] bool isUPowerDevicePath(const QString& path);

/// Whether UPower's Device properties describe a power supply of the machine itself: line power,
/// or a battery whose PowerSupply is true (a missing PowerSupply counts as true for batteries
/// and UPSes, which UPower only lists for the machine).
[[nodiscard]] bool isMachineSupply(const QVariantMap& properties);

/// Whether UPower's Device properties describe one of the machine's own batteries: Type battery,
/// a supply of the machine, and present (a missing IsPresent counts as present).
[[nodiscard]] bool isMachineBattery(const QVariantMap& properties);

/// The peripheral described by UPower's Device properties at `path`; nothing for a supply of the
/// machine, a device that is not present, or one without a Type. Percentage is used unless
/// BatteryLevel names a coarse level; the name is the Model through cleanName().
[[nodiscard]] std::optional<Peripheral> upowerPeripheral(
    const QString& path, const QVariantMap& properties);

} // namespace wattlet
