#pragma once

#include "core/peripheral.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>

class QDBusMessage;

namespace wattlet {

class UPowerDeviceList;

/// Watches UPower on a bus. deviceChanged fires once for every property change, arrival and
/// removal of a power supply of the machine (a battery or line-power device) announced by the
/// current owner of org.freedesktop.UPower; signals from any other sender are ignored. A battery
/// that UPower lists as no power supply of the machine (a peripheral) never counts: an arriving
/// battery counts once its properties say so (or cannot be had). peripheralsChanged fires when
/// the peripherals' batteries change; presenceChanged follows UPower coming onto and leaving the
/// bus.
class UPowerMonitor : public QObject
{
    Q_OBJECT

public:
    explicit UPowerMonitor(const QDBusConnection& bus, QObject* parent = nullptr);
    ~UPowerMonitor() override;

    /// Whether UPower owned its name at construction or at the last presence change.
    [[nodiscard]] bool isPresent() const { return m_present; }
    /// The peripherals known now, ordered by UPower's object path.
    [[nodiscard]] Peripherals peripherals() const;
    /// Every device known now, with its properties.
    [[nodiscard]] const UPowerDeviceList& devices() const { return *m_devices; }

    /// True for UPower's object paths of batteries and line-power supplies, which UPower names
    /// after the device kind ("…/devices/battery_BAT0", "…/devices/line_power_AC"). Peripherals
    /// ("mouse_…", "keyboard_…") and the aggregate "DisplayDevice" are not power supplies of the
    /// machine.
    [[nodiscard]] static bool isPowerSupplyPath(const QString& path);

Q_SIGNALS:
    void deviceChanged();
    void peripheralsChanged();
    void presenceChanged(bool present);

private Q_SLOTS:
    void onPropertiesChanged(const QDBusMessage& message);
    void onDeviceAdded(const QDBusMessage& message);
    void onDeviceRemoved(const QDBusMessage& message);

private:
    void setPresent(bool present);
    void onDeviceLearned(const QString& path, bool known);
    [[nodiscard]] bool isPeripheral(const QString& path) const;

    QDBusConnection m_bus;
    UPowerDeviceList* m_devices;
    /// Arrived batteries whose kind is not known yet.
    QSet<QString> m_arriving;
    bool m_present = false;
};

} // namespace wattlet
