#pragma once

#include <QDBusConnection>
#include <QObject>

class QDBusMessage;

namespace wattlet {

/// Watches UPower on a bus. deviceChanged fires once for every property change, arrival and
/// removal of a battery or line-power device announced by the current owner of
/// org.freedesktop.UPower; signals from any other sender are ignored. presenceChanged follows
/// UPower coming onto and leaving the bus.
class UPowerMonitor : public QObject
{
    Q_OBJECT

public:
    explicit UPowerMonitor(const QDBusConnection& bus, QObject* parent = nullptr);
    ~UPowerMonitor() override;

    /// Whether UPower owned its name at construction or at the last presence change.
    [[nodiscard]] bool isPresent() const { return m_present; }

    /// True for UPower's object paths of batteries and line-power supplies, which UPower names
    /// after the device kind ("…/devices/battery_BAT0", "…/devices/line_power_AC"). Peripherals
    /// ("mouse_…", "keyboard_…") and the aggregate "DisplayDevice" are not power supplies of the
    /// machine.
    [[nodiscard]] static bool isPowerSupplyPath(const QString& path);

Q_SIGNALS:
    void deviceChanged();
    void presenceChanged(bool present);

private Q_SLOTS:
    void onPropertiesChanged(const QDBusMessage& message);
    void onDeviceAddedOrRemoved(const QDBusMessage& message);

private:
    void setPresent(bool present);

    QDBusConnection m_bus;
    bool m_present = false;
};

} // namespace wattlet
