#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace wattlet::test {

/// The installed upowerd and power-profiles-daemon on the process's test system bus, over a
/// umockdev testbed of power supplies. Only the daemons (and the testbed's own helper) run with
/// the umockdev preload library; the test process reads the testbed's files by path.
class DaemonTestbed
{
public:
    DaemonTestbed();
    ~DaemonTestbed();
    DaemonTestbed(const DaemonTestbed&) = delete;
    DaemonTestbed& operator=(const DaemonTestbed&) = delete;

    /// Why the daemons cannot run here (for GTEST_SKIP); empty when they can.
    [[nodiscard]] QString unavailable() const { return m_unavailable; }
    [[nodiscard]] QString root() const { return m_root; }
    [[nodiscard]] QString supplyDir() const
    {
        return m_root + QStringLiteral("/sys/class/power_supply");
    }

    /// A power supply from sysfs attributes ("capacity=45 status=Charging", %20 for a space) and
    /// extra udev properties, each announced as the kernel does (add, change, remove). False
    /// when not done.
    bool add(const QString& name, const QString& attributes, const QString& udev = {});
    bool set(const QString& name, const QString& attributes);
    bool remove(const QString& name) { return command(QStringLiteral("remove ") + name); }
    /// A plain file under the testbed's root, such as /sys/firmware/acpi/platform_profile.
    bool writeFile(const QString& path, const QString& text);

    /// The attributes of a laptop's battery (60 Wh of 80 designed) at `percent`, of a wireless
    /// mouse (scope Device, model "MX Master 3"), of a mains adapter.
    static QString battery(int percent, const char* status = "Discharging");
    static QString mouse(int percent);
    static QString mains(bool online);

    /// Starts upowerd (its history and state in this testbed's folder) and waits for its name.
    bool startUPower();
    /// Stops upowerd at once, as a crash would.
    void killUPower();
    /// Starts power-profiles-daemon over a firmware profile switch, with polkit allowing it all.
    bool startPowerProfiles();
    /// Holds `profile` as another program does, on a connection of its own: the name to pass to
    /// QDBusConnection::disconnectFromBus() to end the hold; empty when refused.
    QString holdProfile(const QString& profile, const QString& reason, const QString& app);
    /// python-dbusmock's polkitd allowing `actions` and nothing else.
    bool startPolkit(const QStringList& actions);

private:
    bool command(const QString& line);
    bool startDaemon(std::unique_ptr<QProcess>& process, const QString& program,
        const QString& service, const QStringList& arguments = {});

    QTemporaryDir m_dir;
    QProcess m_testbed;
    QString m_root;
    QString m_unavailable;
    std::unique_ptr<QProcess> m_upower;
    std::unique_ptr<QProcess> m_profiles;
    std::unique_ptr<QProcess> m_polkit;
};

} // namespace wattlet::test
