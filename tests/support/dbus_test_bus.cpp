#include "dbus_test_bus.h"

#include <QFile>

#include <csignal>
#include <sys/prctl.h>

namespace wattlet::test {

namespace {

    const char* const busConfig
        = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
)";

} // namespace

DBusTestBus::DBusTestBus()
{
    if (!m_dir.isValid())
        return;
    const QString configPath = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly))
        return;
    config.write(QString::fromUtf8(busConfig).arg(m_dir.path()).toUtf8());
    config.close();

    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProgram(QStringLiteral("dbus-daemon"));
    m_daemon->setArguments({ QStringLiteral("--config-file=") + configPath,
        QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    m_daemon->setProcessChannelMode(QProcess::SeparateChannels);
    // The daemon must not outlive a test that crashes.
    m_daemon->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon->start();
    if (!m_daemon->waitForStarted(5000))
        return;
    // The daemon prints its address once it listens.
    while (m_daemon->state() == QProcess::Running && !m_daemon->canReadLine())
        m_daemon->waitForReadyRead(5000);
    m_address = QString::fromUtf8(m_daemon->readLine()).trimmed();
}

DBusTestBus::~DBusTestBus()
{
    if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
        m_daemon->terminate();
        if (!m_daemon->waitForFinished(3000))
            m_daemon->kill();
        m_daemon->waitForFinished(3000);
    }
}

void DBusTestBus::exportAs(const char* variable) const { qputenv(variable, m_address.toUtf8()); }

namespace {

    /// libdbus reads the addresses of all buses once, on the first connection to any of them, so
    /// both test buses are exported before either is used.
    struct ProcessBuses
    {
        ProcessBuses()
        {
            session.exportAs("DBUS_SESSION_BUS_ADDRESS");
            system.exportAs("DBUS_SYSTEM_BUS_ADDRESS");
        }
        DBusTestBus session;
        DBusTestBus system;
    };

    ProcessBuses& processBuses()
    {
        static ProcessBuses buses;
        return buses;
    }

} // namespace

DBusTestBus& DBusTestBus::session() { return processBuses().session; }

DBusTestBus& DBusTestBus::system() { return processBuses().system; }

} // namespace wattlet::test
