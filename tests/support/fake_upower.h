#pragma once

#include "fake_peer.h"

#include <QDBusVirtualObject>
#include <QMap>
#include <QVariantMap>

#include <vector>

namespace wattlet::test {

/// UPower on the test system bus where the real daemon cannot be made to answer so: hostile
/// model names, records that are malformed or refused, and a week of events in seconds (the
/// soak). Answers EnumerateDevices, the Device properties and GetHistory, and sends DeviceAdded,
/// DeviceRemoved and PropertiesChanged as devices are added, changed and removed.
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
    bool start() { return m_peer.own(QStringLiteral("org.freedesktop.UPower")); }
    /// Gives the name up, as a stopping daemon does.
    void stop() { m_peer.release(QStringLiteral("org.freedesktop.UPower")); }

    /// "/org/freedesktop/UPower/devices/" + name.
    static QString path(const QString& name);
    void add(const QString& name, const QVariantMap& properties);
    void change(const QString& name, const QVariantMap& changed);
    void remove(const QString& name);
    void setHistory(const QString& name, const QString& type, std::vector<Point> points,
        History answer = History::record);

    /// A mouse, a battery of the machine.
    static QVariantMap peripheral(uint type, double percent, const QString& model = {});
    static QVariantMap machineBattery();

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    FakePeer m_peer;
    QMap<QString, QVariantMap> m_devices;
    struct Record
    {
        std::vector<Point> points;
        History answer = History::record;
    };
    QMap<QString, Record> m_history;
};

} // namespace wattlet::test
