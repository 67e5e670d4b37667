#include "upower_monitor.h"

#include "dbus_argument.h"
#include "upower_device_list.h"
#include "upower_names.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>

#include <optional>
#include <vector>

namespace wattlet {

namespace {

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
        const QString& daemonPath = UPowerNames::path;
        return {
            { QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), SLOT(onPropertiesChanged(QDBusMessage)) },
            { daemonPath, UPowerNames::service, QStringLiteral("DeviceAdded"),
                SLOT(onDeviceAdded(QDBusMessage)) },
            { daemonPath, UPowerNames::service, QStringLiteral("DeviceRemoved"),
                SLOT(onDeviceRemoved(QDBusMessage)) },
        };
    }

    std::optional<QString> devicePathArgument(const QDBusMessage& message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.isEmpty()
            || arguments.first().metaType() != QMetaType::fromType<QDBusObjectPath>())
            return std::nullopt;
        return arguments.first().value<QDBusObjectPath>().path();
    }

} // namespace

UPowerMonitor::UPowerMonitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
    , m_devices(new UPowerDeviceList(bus, this))
{
    connect(
        m_devices, &UPowerDeviceList::peripheralsChanged, this, &UPowerMonitor::peripheralsChanged);
    connect(m_devices, &UPowerDeviceList::deviceLearned, this, &UPowerMonitor::onDeviceLearned);

    // Naming the service makes Qt accept a signal only from the unique name that owns it now.
    for (const SignalHook& hook : signalHooks())
        m_bus.connect(UPowerNames::service, hook.path, hook.interface, hook.name, this, hook.slot);

    // The watch exists before the question, so an owner change in between is not missed.
    auto* presence = new QDBusServiceWatcher(UPowerNames::service, m_bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(presence, &QDBusServiceWatcher::serviceRegistered, this, [this] { setPresent(true); });
    connect(
        presence, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setPresent(false); });
    if (QDBusConnectionInterface* daemon = m_bus.interface()) {
        const QDBusReply<bool> registered = daemon->isServiceRegistered(UPowerNames::service);
        m_present = registered.isValid() && registered.value();
    }
    if (m_present)
        m_devices->reload();
}

UPowerMonitor::~UPowerMonitor()
{
    for (const SignalHook& hook : signalHooks())
        m_bus.disconnect(
            UPowerNames::service, hook.path, hook.interface, hook.name, this, hook.slot);
}

Peripherals UPowerMonitor::peripherals() const { return m_devices->peripherals(); }

bool UPowerMonitor::isPowerSupplyPath(const QString& path)
{
    static const QString battery = UPowerNames::devicesPath + QStringLiteral("battery_");
    static const QString linePower = UPowerNames::devicesPath + QStringLiteral("line_power_");
    return (path.startsWith(battery) && path.size() > battery.size())
        || (path.startsWith(linePower) && path.size() > linePower.size());
}

bool UPowerMonitor::isPeripheral(const QString& path) const
{
    return m_devices->isMachineSupply(path) == false;
}

void UPowerMonitor::onPropertiesChanged(const QDBusMessage& message)
{
    const QString path = message.path();
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() >= 2 && arguments.first().toString() == UPowerNames::deviceInterface) {
        const auto changed = argumentAs<QVariantMap>(arguments.at(1), "a{sv}");
        const auto invalidated = arguments.size() >= 3
            ? argumentAs<QStringList>(arguments.at(2), "as")
            : std::optional<QStringList>(QStringList());
        if (changed && invalidated)
            m_devices->update(path, *changed, *invalidated);
    }
    if (isPowerSupplyPath(path) && !isPeripheral(path))
        Q_EMIT deviceChanged();
}

void UPowerMonitor::onDeviceAdded(const QDBusMessage& message)
{
    const auto path = devicePathArgument(message);
    if (!path)
        return;
    m_devices->add(*path);
    // Line power is always the machine's; a battery may be a peripheral's, which its properties
    // tell.
    if (path->startsWith(UPowerNames::devicesPath + QStringLiteral("battery_"))
        && isPowerSupplyPath(*path) && !m_devices->isMachineSupply(*path))
        m_arriving.insert(*path);
    else if (isPowerSupplyPath(*path) && !isPeripheral(*path))
        Q_EMIT deviceChanged();
}

void UPowerMonitor::onDeviceRemoved(const QDBusMessage& message)
{
    const auto path = devicePathArgument(message);
    if (!path)
        return;
    const bool peripheral = isPeripheral(*path);
    m_arriving.remove(*path);
    m_devices->remove(*path);
    if (isPowerSupplyPath(*path) && !peripheral)
        Q_EMIT deviceChanged();
}

void UPowerMonitor::onDeviceLearned(const QString& path, bool known)
{
    if (!m_arriving.remove(path))
        return;
    if (!known || !isPeripheral(path))
        Q_EMIT deviceChanged();
}

void UPowerMonitor::setPresent(bool present)
{
    if (present == m_present)
        return;
    m_present = present;
    m_arriving.clear();
    if (present)
        m_devices->reload();
    else
        m_devices->clear();
    Q_EMIT presenceChanged(present);
}

} // namespace wattlet
