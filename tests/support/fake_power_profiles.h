#pragma once

#include "fake_peer.h"

#include <QDBusMetaType>
#include <QObject>

namespace wattlet::test {

/// power-profiles-daemon under its old name (net.hadess.PowerProfiles, as in Debian 12) or
/// its new one. Qt answers GetAll and Set from the properties; set() announces a change.
class FakePowerProfiles : public QObject
{
    Q_OBJECT
    // Qt answers a Set only for the class's own interface (GetAll also for the registered one).
    Q_CLASSINFO("D-Bus Interface", "net.hadess.PowerProfiles")
    Q_PROPERTY(QList<QVariantMap> Profiles MEMBER m_profiles)
    Q_PROPERTY(QString ActiveProfile MEMBER m_active)
    Q_PROPERTY(QString PerformanceDegraded MEMBER m_degraded)
    Q_PROPERTY(QList<QVariantMap> ActiveProfileHolds MEMBER m_holds)

public:
    explicit FakePowerProfiles(bool newName = false)
        : m_service(newName ? QStringLiteral("org.freedesktop.UPower.PowerProfiles")
                            : QStringLiteral("net.hadess.PowerProfiles"))
        , m_path(newName ? QStringLiteral("/org/freedesktop/UPower/PowerProfiles")
                         : QStringLiteral("/net/hadess/PowerProfiles"))
    {
        qDBusRegisterMetaType<QList<QVariantMap>>();
        for (const char* name : { "power-saver", "balanced", "performance" })
            m_profiles.push_back({ { QStringLiteral("Profile"), QString::fromLatin1(name) } });
        m_peer.bus().registerObject(m_path, m_service, this, QDBusConnection::ExportAllProperties);
    }
    ~FakePowerProfiles() override { m_peer.bus().unregisterObject(m_path); }

    bool start() { return m_peer.own(m_service); }
    void stop() { m_peer.release(m_service); }
    /// Changes a property as the daemon would (another program switched), announcing it.
    void set(const char* name, const QVariant& value)
    {
        setProperty(name, value);
        m_peer.emitSignal(m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"),
            { m_service, QVariantMap { { QString::fromLatin1(name), value } }, QStringList() });
    }

private:
    test::FakePeer m_peer;
    QString m_service;
    QString m_path;
    QList<QVariantMap> m_profiles;
    QString m_active = QStringLiteral("balanced");
    QString m_degraded;
    QList<QVariantMap> m_holds;
};

} // namespace wattlet::test
