#include "upower_monitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>

#include <vector>

namespace wattlet {

namespace {

    const QString service = QStringLiteral("org.freedesktop.UPower");

    struct SignalHook
    {
        QString path;
        QString interface;
        QString name;
        const char* slot;
    };

    // The path of PropertiesChanged stays open: devices come and go, and the path filter in the
    // slot decides.
    std::vector<SignalHook> signalHooks()
    {
        const QString daemonPath = QStringLiteral("/org/freedesktop/UPower");
        return {
            { QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), SLOT(onPropertiesChanged(QDBusMessage)) },
            { daemonPath, service, QStringLiteral("DeviceAdded"),
                SLOT(onDeviceAddedOrRemoved(QDBusMessage)) },
            { daemonPath, service, QStringLiteral("DeviceRemoved"),
                SLOT(onDeviceAddedOrRemoved(QDBusMessage)) },
        };
    }

} // namespace

UPowerMonitor::UPowerMonitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
    // Naming the service makes Qt accept a signal only from the unique name that owns it now.
    for (const SignalHook& hook : signalHooks())
        m_bus.connect(service, hook.path, hook.interface, hook.name, this, hook.slot);

    // The watch exists before the question, so an owner change in between is not missed.
    auto* presence = new QDBusServiceWatcher(service, m_bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(presence, &QDBusServiceWatcher::serviceRegistered, this, [this] { setPresent(true); });
    connect(
        presence, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setPresent(false); });
    if (QDBusConnectionInterface* daemon = m_bus.interface()) {
        const QDBusReply<bool> registered = daemon->isServiceRegistered(service);
        m_present = registered.isValid() && registered.value();
    }
}

UPowerMonitor::~UPowerMonitor()
{
    for (const SignalHook& hook : signalHooks())
        m_bus.disconnect(service, hook.path, hook.interface, hook.name, this, hook.slot);
}

bool UPowerMonitor::isPowerSupplyPath(const QString& path)
{
    static const QString battery = QStringLiteral("/org/freedesktop/UPower/devices/battery_");
    static const QString linePower = QStringLiteral("/org/freedesktop/UPower/devices/line_power_");
    return (path.startsWith(battery) && path.size() > battery.size())
        || (path.startsWith(linePower) && path.size() > linePower.size());
}

void UPowerMonitor::onPropertiesChanged(const QDBusMessage& message)
{
    if (isPowerSupplyPath(message.path()))
        Q_EMIT deviceChanged();
}

void UPowerMonitor::onDeviceAddedOrRemoved(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.isEmpty())
        return;
    const QVariant& device = arguments.first();
    if (device.metaType() != QMetaType::fromType<QDBusObjectPath>())
        return;
    if (isPowerSupplyPath(device.value<QDBusObjectPath>().path()))
        Q_EMIT deviceChanged();
}

void UPowerMonitor::setPresent(bool present)
{
    if (present == m_present)
        return;
    m_present = present;
    Q_EMIT presenceChanged(present);
}

} // namespace wattlet
