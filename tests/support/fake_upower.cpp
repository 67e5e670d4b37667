#include "fake_upower.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>

namespace wattlet::test {

namespace {

    const QString root = QStringLiteral("/org/freedesktop/UPower");

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const FakeUPower::Point& point)
{
    argument.beginStructure();
    argument << point.t << point.value << point.state;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, FakeUPower::Point& point)
{
    argument.beginStructure();
    argument >> point.t >> point.value >> point.state;
    argument.endStructure();
    return argument;
}

} // namespace wattlet::test

Q_DECLARE_METATYPE(wattlet::test::FakeUPower::Point)

namespace wattlet::test {

FakeUPower::FakeUPower()
{
    qDBusRegisterMetaType<Point>();
    qDBusRegisterMetaType<QList<Point>>();
    m_peer.bus().registerVirtualObject(root, this, QDBusConnection::SubPath);
}

FakeUPower::~FakeUPower() { m_peer.bus().unregisterObject(root, QDBusConnection::UnregisterTree); }

QString FakeUPower::path(const QString& name) { return root + QStringLiteral("/devices/") + name; }

void FakeUPower::add(const QString& name, const QVariantMap& properties)
{
    m_devices.insert(path(name), properties);
    m_peer.emitDeviceListChange("DeviceAdded", path(name));
}

void FakeUPower::change(const QString& name, const QVariantMap& changed)
{
    m_devices[path(name)].insert(changed);
    m_peer.emitPropertiesChanged(path(name), changed);
}

void FakeUPower::remove(const QString& name)
{
    m_devices.remove(path(name));
    m_peer.emitDeviceListChange("DeviceRemoved", path(name));
}

void FakeUPower::setHistory(
    const QString& name, const QString& type, std::vector<Point> points, History answer)
{
    m_history.insert(path(name) + QLatin1Char('#') + type, { std::move(points), answer });
}

QVariantMap FakeUPower::peripheral(uint type, double percent, const QString& model)
{
    return { { QStringLiteral("Type"), type }, { QStringLiteral("PowerSupply"), false },
        { QStringLiteral("IsPresent"), true }, { QStringLiteral("Percentage"), percent },
        { QStringLiteral("BatteryLevel"), 1u }, { QStringLiteral("State"), 2u },
        { QStringLiteral("Model"), model } };
}

QVariantMap FakeUPower::machineBattery()
{
    return { { QStringLiteral("Type"), 2u }, { QStringLiteral("PowerSupply"), true },
        { QStringLiteral("IsPresent"), true }, { QStringLiteral("Percentage"), 64.0 },
        { QStringLiteral("State"), 2u }, { QStringLiteral("HasHistory"), true } };
}

bool FakeUPower::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString member = message.member();
    QDBusMessage reply;
    if (message.path() == root && member == QStringLiteral("EnumerateDevices")) {
        QList<QDBusObjectPath> paths;
        for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it)
            paths.push_back(QDBusObjectPath(it.key()));
        reply = message.createReply(QVariant::fromValue(paths));
    } else if (!m_devices.contains(message.path())) {
        reply = message.createErrorReply(
            QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"), message.path());
    } else if (member == QStringLiteral("GetAll")) {
        reply = message.createReply(QVariant(m_devices.value(message.path())));
    } else if (member == QStringLiteral("GetHistory")) {
        const QString key
            = message.path() + QLatin1Char('#') + message.arguments().value(0).toString();
        const Record record = m_history.value(key, { {}, History::error });
        if (record.answer == History::error) {
            reply = message.createErrorReply(QStringLiteral("org.freedesktop.UPower.GeneralError"),
                QStringLiteral("no history"));
        } else if (record.answer == History::malformed) {
            reply = message.createReply(QStringLiteral("not a record"));
        } else {
            reply = message.createReply(
                QVariant::fromValue(QList<Point>(record.points.begin(), record.points.end())));
        }
    } else {
        return false;
    }
    connection.send(reply);
    return true;
}

} // namespace wattlet::test
