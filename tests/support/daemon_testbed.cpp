#include "daemon_testbed.h"

#include "dbus_test_bus.h"
#include "wait_until.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <csignal>
#include <sys/prctl.h>

namespace wattlet::test {

namespace {

    const QString python = QStringLiteral("/usr/bin/python3");
    const QString upowerService = QStringLiteral("org.freedesktop.UPower");
    const QString profilesService = QStringLiteral("net.hadess.PowerProfiles");

    void stop(std::unique_ptr<QProcess>& process, bool kill = false)
    {
        if (process && process->state() != QProcess::NotRunning) {
            kill ? process->kill() : process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
            process->waitForFinished(3000);
        }
        process.reset();
    }

    bool onBus(const QString& service, bool wanted = true)
    {
        return waitUntil([&] {
            return QDBusConnection::systemBus().interface()->isServiceRegistered(service).value()
                == wanted;
        });
    }

} // namespace

DaemonTestbed::DaemonTestbed()
{
    if (!DBusTestBus::system().isRunning()) {
        m_unavailable = QStringLiteral("dbus-daemon is not available");
        return;
    }
    m_testbed.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_testbed.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_testbed.start(
        QStringLiteral("umockdev-wrapper"), { python, QStringLiteral(WATTLET_UMOCKDEV_TESTBED) });
    if (m_testbed.waitForStarted(5000) && command({}))
        m_root = QString::fromUtf8(m_testbed.readLine()).trimmed();
    if (m_root.isEmpty())
        m_unavailable = QStringLiteral("no umockdev testbed (umockdev, gir1.2-umockdev-1.0)");
    else if (!QFileInfo(QStringLiteral("/usr/libexec/upowerd")).isExecutable())
        m_unavailable = QStringLiteral("upowerd is not installed");
}

DaemonTestbed::~DaemonTestbed()
{
    stop(m_profiles);
    stop(m_upower);
    stop(m_polkit);
    m_testbed.closeWriteChannel();
    if (!m_testbed.waitForFinished(3000))
        m_testbed.kill();
    m_testbed.waitForFinished(3000);
}

// Sends `line` (none: only waits) and waits for the testbed's next line: the root, then "ok".
bool DaemonTestbed::command(const QString& line)
{
    if (!line.isEmpty())
        m_testbed.write(line.toUtf8() + '\n');
    while (!m_testbed.canReadLine())
        if (!m_testbed.waitForReadyRead(10000))
            return false;
    return line.isEmpty() || m_testbed.readLine() == "ok\n";
}

bool DaemonTestbed::add(const QString& name, const QString& attributes, const QString& udev)
{
    return command(QStringLiteral("add %1 %2 + %3").arg(name, attributes, udev));
}

bool DaemonTestbed::set(const QString& name, const QString& attributes)
{
    return command(QStringLiteral("set %1 %2").arg(name, attributes));
}

bool DaemonTestbed::writeFile(const QString& path, const QString& text)
{
    return command(
        QStringLiteral("file %1 %2").arg(path, QString::fromUtf8(QUrl::toPercentEncoding(text))));
}

QString DaemonTestbed::battery(int percent, const char* status)
{
    return QStringLiteral("type=Battery present=1 status=%1 capacity=%2 energy_now=%3 "
                          "energy_full=60000000 energy_full_design=80000000 power_now=10000000 "
                          "voltage_now=12000000 voltage_min_design=11400000 model_name=Pack")
        .arg(QString::fromLatin1(status))
        .arg(percent)
        .arg(percent * 600000);
}

QString DaemonTestbed::mouse(int percent)
{
    return QStringLiteral("type=Battery scope=Device present=1 online=1 status=Discharging "
                          "capacity=%1 model_name=MX%20Master%203")
        .arg(percent);
}

QString DaemonTestbed::mains(bool online)
{
    return QStringLiteral("type=Mains online=%1").arg(online ? 1 : 0);
}

bool DaemonTestbed::startDaemon(std::unique_ptr<QProcess>& process, const QString& program,
    const QString& service, const QStringList& arguments)
{
    if (!m_unavailable.isEmpty() || !QFileInfo(program).isExecutable())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("UMOCKDEV_DIR"), m_root);
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral("libumockdev-preload.so.0"));
    for (const char* name : { "UPOWER_HISTORY_DIR", "UPOWER_STATE_DIR" }) {
        const QString folder = m_dir.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        environment.insert(QString::fromLatin1(name), folder);
    }
    process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    // What the daemons say goes to a log beside their state, not into the test's output.
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(
        m_dir.filePath(QFileInfo(program).fileName() + QLatin1String(".log")));
    process->start(program, arguments);
    return process->waitForStarted(5000) && onBus(service);
}

bool DaemonTestbed::startUPower()
{
    return startDaemon(m_upower, QStringLiteral("/usr/libexec/upowerd"), upowerService);
}

void DaemonTestbed::killUPower()
{
    stop(m_upower, true);
    onBus(upowerService, false);
}

bool DaemonTestbed::startPowerProfiles()
{
    // A firmware profile switch, as the daemon's own tests make one; polkit allows every change.
    const QString acpi = QStringLiteral("/sys/firmware/acpi/platform_profile");
    QStringList actions;
    for (const char* prefix : { "net.hadess", "org.freedesktop.UPower" })
        for (const char* action : { "switch-profile", "hold-profile" })
            actions.push_back(QStringLiteral("%1.PowerProfiles.%2")
                    .arg(QString::fromLatin1(prefix), QString::fromLatin1(action)));
    return writeFile(
               acpi + QLatin1String("_choices"), QStringLiteral("low-power balanced performance"))
        && writeFile(acpi, QStringLiteral("performance")) && (m_polkit || startPolkit(actions))
        && startDaemon(
            m_profiles, QStringLiteral("/usr/libexec/power-profiles-daemon"), profilesService);
}

QString DaemonTestbed::holdProfile(
    const QString& profile, const QString& reason, const QString& app)
{
    static int holders = 0;
    const QString name = QStringLiteral("holder-%1").arg(++holders);
    auto hold = QDBusMessage::createMethodCall(profilesService,
        QStringLiteral("/net/hadess/PowerProfiles"), profilesService,
        QStringLiteral("HoldProfile"));
    hold.setArguments({ profile, reason, app });
    return QDBusConnection::connectToBus(DBusTestBus::system().address(), name).call(hold).type()
            == QDBusMessage::ReplyMessage
        ? name
        : QString();
}

bool DaemonTestbed::startPolkit(const QStringList& actions)
{
    if (!startDaemon(m_polkit, python, QStringLiteral("org.freedesktop.PolicyKit1"),
            { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                QStringLiteral("--template"), QStringLiteral("polkitd") }))
        return false;
    auto allow = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.PolicyKit1"),
        QStringLiteral("/org/freedesktop/PolicyKit1/Authority"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("SetAllowed"));
    allow.setArguments({ actions });
    return QDBusConnection::systemBus().call(allow).type() == QDBusMessage::ReplyMessage;
}

} // namespace wattlet::test
