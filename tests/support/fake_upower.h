#pragma once

#include "fake_peer.h"

#include <QDBusVirtualObject>
#include <QMap>
#include <QVariantMap>

#include <vector>

namespace wattlet::test {

/// UPower on the test system bus: its own connection owns org.freedesktop.UPower and answers
/// EnumerateDevices, the Device properties, GetHistory and EnableChargeThreshold, and sends
/// DeviceAdded, DeviceRemoved and PropertiesChanged as devices are added, changed and removed.
class FakeUPower : public QDBusVirtualObject
{
    Q_OBJECT

public:
    struct Point
    {
        uint t;
        double value;
        uint state;
    };

    /// How a device answers GetHistory of one type.
    enum class History { record, error, malformed };

    FakeUPower();
    ~FakeUPower() override;

    /// Takes the UPower name; false when the bus refused.
    bool start();
    /// Gives the name up, as a stopping daemon does.
    void stop();

    /// "/org/freedesktop/UPower/devices/" + name.
    static QString path(const QString& name);
    /// A device listed from the start (before start()) or announced with DeviceAdded.
    void add(const QString& name, const QVariantMap& properties);
    void change(const QString& name, const QVariantMap& changed);
    void remove(const QString& name);
    void setHistory(const QString& name, const QString& type, std::vector<Point> points,
        History answer = History::record);

    /// A mouse, a battery of the machine.
    static QVariantMap peripheral(uint type, double percent, const QString& model = {});
    static QVariantMap machineBattery();
    /// A battery of the machine with UPower 1.90's charge threshold, switched off.
    static QVariantMap thresholdBattery(uint start, uint end);
    /// Whether EnableChargeThreshold is refused as polkit refuses it.
    void refuseChargeThreshold(bool refuse) { m_refuseThreshold = refuse; }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    FakePeer m_peer;
    bool m_started = false;
    bool m_refuseThreshold = false;
    QMap<QString, QVariantMap> m_devices;
    struct Record
    {
        std::vector<Point> points;
        History answer = History::record;
    };
    QMap<QString, Record> m_history;
};

} // namespace wattlet::test
