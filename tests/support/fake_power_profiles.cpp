#include "fake_power_profiles.h"

#include <QDBusMetaType>
#include <QDBusVariant>

namespace wattlet::test {

namespace {

    QVariant dictionaries(const QList<QVariantMap>& list) { return QVariant::fromValue(list); }

} // namespace

FakePowerProfiles::FakePowerProfiles(bool newName)
    : m_service(newName ? QStringLiteral("org.freedesktop.UPower.PowerProfiles")
                        : QStringLiteral("net.hadess.PowerProfiles"))
    , m_path(newName ? QStringLiteral("/org/freedesktop/UPower/PowerProfiles")
                     : QStringLiteral("/net/hadess/PowerProfiles"))
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
    QList<QVariantMap> profiles;
    for (const char* name : { "power-saver", "balanced", "performance" })
        profiles.push_back({ { QStringLiteral("Profile"), QString::fromLatin1(name) },
            { QStringLiteral("Driver"), QStringLiteral("platform_profile") } });
    m_properties = { { QStringLiteral("Profiles"), dictionaries(profiles) },
        { QStringLiteral("ActiveProfile"), QStringLiteral("balanced") },
        { QStringLiteral("PerformanceDegraded"), QString() },
        { QStringLiteral("ActiveProfileHolds"), dictionaries({}) } };
    m_peer.bus().registerVirtualObject(m_path, this);
}

FakePowerProfiles::~FakePowerProfiles() { m_peer.bus().unregisterObject(m_path); }

bool FakePowerProfiles::start() { return m_peer.own(m_service); }

void FakePowerProfiles::stop() { m_peer.release(m_service); }

void FakePowerProfiles::set(const QString& name, const QVariant& value)
{
    m_properties.insert(name, value);
    m_peer.emitSignal(m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"),
        { m_service, QVariantMap { { name, value } }, QStringList() });
}

QString FakePowerProfiles::active() const
{
    return m_properties.value(QStringLiteral("ActiveProfile")).toString();
}

QVariant FakePowerProfiles::holds(
    const QString& profile, const QString& reason, const QString& application)
{
    return dictionaries({ { { QStringLiteral("Profile"), profile },
        { QStringLiteral("Reason"), reason }, { QStringLiteral("ApplicationId"), application } } });
}

QString FakePowerProfiles::introspect(const QString&) const { return {}; }

bool FakePowerProfiles::handleMessage(
    const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString member = message.member();
    if (member == QStringLiteral("GetAll")) {
        connection.send(message.createReply(QVariant(m_properties)));
        return true;
    }
    const QList<QVariant> arguments = message.arguments();
    if (member == QStringLiteral("Set") && arguments.size() == 3
        && arguments.at(1).toString() == QStringLiteral("ActiveProfile")) {
        connection.send(message.createReply());
        set(QStringLiteral("ActiveProfile"), arguments.at(2).value<QDBusVariant>().variant());
        return true;
    }
    return false;
}

} // namespace wattlet::test
