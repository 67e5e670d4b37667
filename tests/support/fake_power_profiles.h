#pragma once

#include "fake_peer.h"

#include <QDBusVirtualObject>
#include <QVariantMap>

namespace wattlet::test {

/// power-profiles-daemon on the test system bus, under its old name (net.hadess.PowerProfiles,
/// as in Debian 12) or its new one (org.freedesktop.UPower.PowerProfiles): answers GetAll and
/// the Set of ActiveProfile, and sends PropertiesChanged when a property changes.
class FakePowerProfiles : public QDBusVirtualObject
{
    Q_OBJECT

public:
    /// With three profiles, balanced active, nothing degraded or held.
    explicit FakePowerProfiles(bool newName = false);
    ~FakePowerProfiles() override;
    FakePowerProfiles(const FakePowerProfiles&) = delete;
    FakePowerProfiles& operator=(const FakePowerProfiles&) = delete;

    bool start();
    void stop();
    /// Changes a property as the daemon would (another program switched), announcing it.
    void set(const QString& name, const QVariant& value);
    [[nodiscard]] QString active() const;
    /// A hold of `profile` by `application`, as ActiveProfileHolds lists it.
    static QVariant holds(
        const QString& profile, const QString& reason, const QString& application);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    FakePeer m_peer;
    QString m_service;
    QString m_path;
    QVariantMap m_properties;
};

} // namespace wattlet::test
