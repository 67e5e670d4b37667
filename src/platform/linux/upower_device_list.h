#pragma once

#include "core/peripheral.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QVariantMap>

#include <map>
#include <optional>

class QDBusPendingCall;

namespace wattlet {

/// UPower's devices and their Device properties, learned with asynchronous calls only: a slow or
/// missing daemon never blocks the caller. The owner feeds in the daemon's signals (add, remove,
/// update) and restarts (reload, clear); answers to questions asked before the last reload or
/// clear are dropped.
class UPowerDeviceList : public QObject
{
    Q_OBJECT

public:
    explicit UPowerDeviceList(const QDBusConnection& bus, QObject* parent = nullptr);
    ~UPowerDeviceList() override;

    /// Forgets every device and asks the daemon for its devices and their properties.
    void reload();
    /// Forgets every device.
    void clear();
    /// Asks for the properties of a device that arrived.
    void add(const QString& path);
    void remove(const QString& path);
    /// Merges a change of Device properties; invalidated ones, and any change of a device not
    /// known yet, are asked for again.
    void update(const QString& path, const QVariantMap& changed, const QStringList& invalidated);

    /// True once the devices listed at the last reload have all answered or failed.
    [[nodiscard]] bool isLoaded() const { return m_loaded; }
    /// Whether the device at `path` is a power supply of the machine; absent while unknown.
    [[nodiscard]] std::optional<bool> isMachineSupply(const QString& path) const;
    /// The paths of the machine's own batteries (Type battery, a power supply, present).
    [[nodiscard]] QStringList machineBatteries() const;
    /// The Device properties known of `path`; empty while unknown.
    [[nodiscard]] QVariantMap properties(const QString& path) const;
    /// The peripherals among the known devices, ordered by path.
    [[nodiscard]] Peripherals peripherals() const;

Q_SIGNALS:
    void loaded();
    void peripheralsChanged();
    /// The properties of `path` arrived for the first time (`known`), or could not be had.
    void deviceLearned(const QString& path, bool known);

private:
    void fetch(const QString& path);
    void onEnumerated(const QDBusPendingCall& answer, unsigned generation);
    void onFetched(const QDBusPendingCall& answer, const QString& path, unsigned generation);
    void finishLoadIfDone();
    /// Applies `change` and sends peripheralsChanged() when the peripherals differ afterwards.
    template <typename Change> void changing(Change&& change);

    QDBusConnection m_bus;
    std::map<QString, QVariantMap> m_devices;
    QSet<QString> m_pending;
    unsigned m_generation = 0;
    bool m_loadAsked = false;
    bool m_enumerating = false;
    bool m_loaded = false;
};

} // namespace wattlet
