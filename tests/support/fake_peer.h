#pragma once

#include "dbus_test_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>

namespace wattlet::test {

/// Another client of a test bus (the system bus unless given), on a connection of its own: plays
/// UPower, logind, a notification server or an impostor, and sends their signals.
class FakePeer
{
public:
    explicit FakePeer(const QString& address = DBusTestBus::system().address())
        : m_name(QStringLiteral("fake-peer-%1").arg(++s_peers))
        , m_bus(QDBusConnection::connectToBus(address, m_name))
    { }
    ~FakePeer() { QDBusConnection::disconnectFromBus(m_name); }
    FakePeer(const FakePeer&) = delete;
    FakePeer& operator=(const FakePeer&) = delete;

    QDBusConnection& bus() { return m_bus; }
    bool own(const QString& service) { return m_bus.registerService(service); }
    bool release(const QString& service) { return m_bus.unregisterService(service); }

    void emitSignal(const QString& path, const QString& interface, const QString& name,
        const QVariantList& arguments = {})
    {
        QDBusMessage message = QDBusMessage::createSignal(path, interface, name);
        message.setArguments(arguments);
        m_bus.send(message);
    }
    /// PropertiesChanged of a UPower device; by default its Percentage changed.
    void emitPropertiesChanged(const QString& path,
        const QVariantMap& changed = { { QStringLiteral("Percentage"), 81.0 } })
    {
        emitSignal(path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"),
            { QStringLiteral("org.freedesktop.UPower.Device"), changed, QStringList() });
    }
    /// DeviceAdded or DeviceRemoved of the UPower daemon.
    void emitDeviceListChange(const char* name, const QString& device)
    {
        emitSignal(QStringLiteral("/org/freedesktop/UPower"),
            QStringLiteral("org.freedesktop.UPower"), QString::fromUtf8(name),
            { QVariant::fromValue(QDBusObjectPath(device)) });
    }
    void emitPrepareForSleep(const QVariant& sleeping)
    {
        emitSignal(QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
            { sleeping });
    }

private:
    static inline int s_peers = 0;
    QString m_name;
    QDBusConnection m_bus;
};

} // namespace wattlet::test
