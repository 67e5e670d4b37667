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
    const QString upowerd = QStringLiteral("/usr/libexec/upowerd");
    const QString profilesDaemon = QStringLiteral("/usr/libexec/power-profiles-daemon");

    void stop(std::unique_ptr<QProcess>& process, bool kill = false)
    {
        if (!process)
            return;
        kill ? process->kill() : process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
        process.reset();
    }

    bool nameOnBus(const QString& service)
    {
        return waitUntil([&] {
            return QDBusConnection::systemBus().interface()->isServiceRegistered(service).value();
        });
    }

} // namespace

DaemonTestbed::DaemonTestbed()
{
    if (!DBusTestBus::system().isRunning()) {
        m_unavailable = QStringLiteral("dbus-daemon is not available");
        return;
    }
    for (const QString& program : { upowerd, python }) {
        if (!QFileInfo(program).isExecutable()) {
            m_unavailable = program + QStringLiteral(" is not installed");
            return;
        }
    }
    m_testbed.setProgram(QStringLiteral("umockdev-wrapper"));
    m_testbed.setArguments({ python, QStringLiteral(WATTLET_UMOCKDEV_TESTBED) });
    m_testbed.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_testbed.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_testbed.start();
    if (m_testbed.waitForStarted(5000))
        m_root = QString::fromUtf8(answer());
    if (m_root.isEmpty() || !QDir(m_root).exists())
        m_unavailable
            = QStringLiteral("umockdev (umockdev-wrapper, gir1.2-umockdev-1.0) is missing");
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
    if (!m_root.isEmpty())
        QDir(m_root).removeRecursively();
}

QString DaemonTestbed::supplyDir() const
{
    return m_root + QStringLiteral("/sys/class/power_supply");
}

bool DaemonTestbed::command(const QString& line)
{
    if (m_testbed.state() != QProcess::Running)
        return false;
    m_testbed.write(line.toUtf8() + '\n');
    return answer() == "ok";
}

QByteArray DaemonTestbed::answer()
{
    while (!m_testbed.canReadLine())
        if (!m_testbed.waitForReadyRead(10000))
            return {};
    return m_testbed.readLine().trimmed();
}

bool DaemonTestbed::add(const QString& name, const QStringList& attributes, const QStringList& udev)
{
    QStringList words { QStringLiteral("add"), name };
    for (const QString& item : attributes)
        words.push_back(QString::fromUtf8(QUrl::toPercentEncoding(item, "=")));
    if (!udev.isEmpty())
        words.push_back(QStringLiteral("+"));
    for (const QString& item : udev)
        words.push_back(QString::fromUtf8(QUrl::toPercentEncoding(item, "=")));
    return command(words.join(QLatin1Char(' ')));
}

bool DaemonTestbed::set(const QString& name, const QStringList& attributes)
{
    QStringList words { QStringLiteral("set"), name };
    for (const QString& item : attributes)
        words.push_back(QString::fromUtf8(QUrl::toPercentEncoding(item, "=")));
    return command(words.join(QLatin1Char(' ')));
}

QStringList DaemonTestbed::battery(int percent, const QString& status)
{
    return { QStringLiteral("type=Battery"), QStringLiteral("present=1"),
        QStringLiteral("status=") + status, QStringLiteral("capacity=%1").arg(percent),
        QStringLiteral("energy_full=60000000"), QStringLiteral("energy_full_design=80000000"),
        QStringLiteral("energy_now=%1").arg(percent * 600000), QStringLiteral("power_now=10000000"),
        QStringLiteral("voltage_now=12000000"), QStringLiteral("voltage_min_design=11400000"),
        QStringLiteral("model_name=Pack") };
}

QStringList DaemonTestbed::mouse(int percent)
{
    return { QStringLiteral("type=Battery"), QStringLiteral("scope=Device"),
        QStringLiteral("present=1"), QStringLiteral("online=1"),
        QStringLiteral("status=Discharging"), QStringLiteral("capacity=%1").arg(percent),
        QStringLiteral("model_name=MX Master 3") };
}

QStringList DaemonTestbed::mains(bool online)
{
    return { QStringLiteral("type=Mains"), QStringLiteral("online=%1").arg(online ? 1 : 0) };
}

bool DaemonTestbed::remove(const QString& name)
{
    return command(QStringLiteral("remove ") + name);
}

bool DaemonTestbed::writeFile(const QString& path, const QString& text)
{
    return command(
        QStringLiteral("file %1 %2").arg(path, QString::fromUtf8(QUrl::toPercentEncoding(text))));
}

bool DaemonTestbed::startDaemon(std::unique_ptr<QProcess>& process, const QString& program,
    const QString& service, const QStringList& arguments)
{
    if (!m_unavailable.isEmpty() || !QFileInfo(program).isExecutable())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("UMOCKDEV_DIR"), m_root);
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral("libumockdev-preload.so.0"));
    environment.insert(
        QStringLiteral("UPOWER_HISTORY_DIR"), m_dir.filePath(QStringLiteral("history")));
    environment.insert(QStringLiteral("UPOWER_STATE_DIR"), m_dir.filePath(QStringLiteral("state")));
    QDir().mkpath(m_dir.filePath(QStringLiteral("history")));
    QDir().mkpath(m_dir.filePath(QStringLiteral("state")));
    process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    // What the daemons say goes to a log beside their state, not into the test's output.
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(
        m_dir.filePath(QFileInfo(program).fileName() + QStringLiteral(".log")));
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process->start(program, arguments);
    return process->waitForStarted(5000) && nameOnBus(service);
}

bool DaemonTestbed::startUPower()
{
    return startDaemon(m_upower, upowerd, QStringLiteral("org.freedesktop.UPower"));
}

void DaemonTestbed::killUPower()
{
    stop(m_upower, true);
    waitUntil([] {
        return !QDBusConnection::systemBus()
                    .interface()
                    ->isServiceRegistered(QStringLiteral("org.freedesktop.UPower"))
                    .value();
    });
}

bool DaemonTestbed::startPowerProfiles()
{
    // A firmware profile switch, as the daemon's own tests make one; polkit allows every change.
    const QString acpi = QStringLiteral("/sys/firmware/acpi/platform_profile");
    QStringList actions;
    for (const char* prefix : { "net.hadess", "org.freedesktop.UPower" })
        for (const char* action : { ".switch-profile", ".hold-profile" })
            actions.push_back(QString::fromLatin1(prefix) + QStringLiteral(".PowerProfiles")
                + QString::fromLatin1(action));
    return writeFile(
               acpi + QStringLiteral("_choices"), QStringLiteral("low-power balanced performance"))
        && writeFile(acpi, QStringLiteral("performance")) && (m_polkit || startPolkit(actions))
        && startDaemon(m_profiles, profilesDaemon, QStringLiteral("net.hadess.PowerProfiles"));
}

QString DaemonTestbed::holdProfile(
    const QString& profile, const QString& reason, const QString& app)
{
    static int holders = 0;
    const QString name = QStringLiteral("holder-%1").arg(++holders);
    auto holder = QDBusConnection::connectToBus(DBusTestBus::system().address(), name);
    QDBusMessage hold = QDBusMessage::createMethodCall(QStringLiteral("net.hadess.PowerProfiles"),
        QStringLiteral("/net/hadess/PowerProfiles"), QStringLiteral("net.hadess.PowerProfiles"),
        QStringLiteral("HoldProfile"));
    hold.setArguments({ profile, reason, app });
    return holder.call(hold).type() == QDBusMessage::ReplyMessage ? name : QString();
}

bool DaemonTestbed::startPolkit(const QStringList& actions)
{
    if (!startDaemon(m_polkit, python, QStringLiteral("org.freedesktop.PolicyKit1"),
            { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                QStringLiteral("--template"), QStringLiteral("polkitd") }))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.PolicyKit1"),
        QStringLiteral("/org/freedesktop/PolicyKit1/Authority"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("SetAllowed"));
    call.setArguments({ actions });
    return QDBusConnection::systemBus().call(call).type() == QDBusMessage::ReplyMessage;
}

QString DaemonTestbed::upowerState(const QString& name) const
{
    return m_dir.filePath(QStringLiteral("state/") + name);
}

} // namespace wattlet::test
