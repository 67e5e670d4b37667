#include "upower_device_list.h"

#include "ask_async.h"
#include "upower_names.h"
#include "upower_peripheral.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingReply>

namespace wattlet {

UPowerDeviceList::UPowerDeviceList(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{ }

UPowerDeviceList::~UPowerDeviceList() = default;

template <typename Change> void UPowerDeviceList::changing(Change&& change)
{
    const Peripherals before = peripherals();
    change();
    if (peripherals() != before)
        Q_EMIT peripheralsChanged();
}

void UPowerDeviceList::reload()
{
    clear();
    m_loadAsked = true;
    m_enumerating = true;
    const auto call = QDBusMessage::createMethodCall(UPowerNames::service, UPowerNames::path,
        UPowerNames::service, QStringLiteral("EnumerateDevices"));
    askAsync(m_bus, call, this, [this, generation = m_generation](const QDBusPendingCall& answer) {
        onEnumerated(answer, generation);
    });
}

void UPowerDeviceList::clear()
{
    ++m_generation;
    m_loadAsked = false;
    m_enumerating = false;
    m_loaded = false;
    m_pending.clear();
    changing([this] { m_devices.clear(); });
}

void UPowerDeviceList::add(const QString& path)
{
    if (isUPowerDevicePath(path))
        fetch(path);
}

void UPowerDeviceList::remove(const QString& path)
{
    m_pending.remove(path);
    changing([&] { m_devices.erase(path); });
    finishLoadIfDone();
}

void UPowerDeviceList::update(
    const QString& path, const QVariantMap& changed, const QStringList& invalidated)
{
    const auto device = m_devices.find(path);
    if (device == m_devices.end() || !invalidated.isEmpty()) {
        add(path);
        return;
    }
    changing([&] { device->second.insert(changed); });
}

std::optional<bool> UPowerDeviceList::isMachineSupply(const QString& path) const
{
    const auto device = m_devices.find(path);
    if (device == m_devices.end())
        return std::nullopt;
    return wattlet::isMachineSupply(device->second);
}

QStringList UPowerDeviceList::machineBatteries() const
{
    QStringList result;
    for (const auto& [path, properties] : m_devices) {
        if (isMachineBattery(properties))
            result.push_back(path);
    }
    return result;
}

QVariantMap UPowerDeviceList::properties(const QString& path) const
{
    const auto device = m_devices.find(path);
    return device == m_devices.end() ? QVariantMap() : device->second;
}

Peripherals UPowerDeviceList::peripherals() const
{
    Peripherals result;
    for (const auto& [path, properties] : m_devices) {
        if (auto device = upowerPeripheral(path, properties))
            result.push_back(std::move(*device));
    }
    return result;
}

void UPowerDeviceList::fetch(const QString& path)
{
    if (m_pending.contains(path))
        return;
    m_pending.insert(path);
    auto call = QDBusMessage::createMethodCall(UPowerNames::service, path,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call.setArguments({ UPowerNames::deviceInterface });
    askAsync(
        m_bus, call, this, [this, path, generation = m_generation](const QDBusPendingCall& answer) {
            onFetched(answer, path, generation);
        });
}

void UPowerDeviceList::onEnumerated(const QDBusPendingCall& answer, unsigned generation)
{
    if (generation != m_generation)
        return;
    const QDBusPendingReply<QList<QDBusObjectPath>> reply = answer;
    if (reply.isValid()) {
        for (const QDBusObjectPath& path : reply.value())
            add(path.path());
    }
    m_enumerating = false;
    finishLoadIfDone();
}

void UPowerDeviceList::onFetched(
    const QDBusPendingCall& answer, const QString& path, unsigned generation)
{
    // A device removed while its answer was on the way stays removed.
    if (generation != m_generation || !m_pending.remove(path))
        return;
    const QDBusPendingReply<QVariantMap> reply = answer;
    const bool known = reply.isValid();
    const bool first = m_devices.count(path) == 0;
    if (known)
        changing([&] { m_devices[path] = reply.value(); });
    if (first)
        Q_EMIT deviceLearned(path, known);
    finishLoadIfDone();
}

void UPowerDeviceList::finishLoadIfDone()
{
    if (!m_loadAsked || m_loaded || m_enumerating || !m_pending.isEmpty())
        return;
    m_loaded = true;
    Q_EMIT loaded();
}

} // namespace wattlet
