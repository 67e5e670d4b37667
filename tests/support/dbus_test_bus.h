#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace wattlet::test {

/// A private dbus-daemon that allows everything, started for a test and stopped with it.
/// Qt caches QDBusConnection::sessionBus()/systemBus() on first use, so start the bus and
/// export its address (exportAs) before the code under test touches either connection.
class DBusTestBus
{
public:
    DBusTestBus();
    ~DBusTestBus();
    DBusTestBus(const DBusTestBus&) = delete;
    DBusTestBus& operator=(const DBusTestBus&) = delete;

    /// False when dbus-daemon is missing or did not start; tests then GTEST_SKIP.
    [[nodiscard]] bool isRunning() const { return !m_address.isEmpty(); }
    [[nodiscard]] QString address() const { return m_address; }
    /// Sets DBUS_SESSION_BUS_ADDRESS or DBUS_SYSTEM_BUS_ADDRESS to this bus.
    void exportAs(const char* variable) const;

    /// A process-wide bus exported as DBUS_SESSION_BUS_ADDRESS. Both process-wide buses start on
    /// the first use of either: libdbus reads all bus addresses on its first connection.
    static DBusTestBus& session();
    /// A process-wide bus exported as DBUS_SYSTEM_BUS_ADDRESS, started with the session bus.
    static DBusTestBus& system();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_daemon;
    QString m_address;
};

} // namespace wattlet::test
