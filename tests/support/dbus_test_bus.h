#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <sys/prctl.h>

namespace wattlet::test {

/// A private dbus-daemon that allows everything, started for a test and stopped with it.
/// Qt caches QDBusConnection::sessionBus()/systemBus() on first use, so start the bus and
/// export its address before the code under test touches either connection.
class DBusTestBus
{
public:
    DBusTestBus()
    {
        if (!m_dir.isValid())
            return;
        const QString configPath = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile config(configPath);
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write(QString::fromUtf8(R"(<busconfig>
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
)")
                .arg(m_dir.path())
                .toUtf8());
        config.close();
        m_daemon = std::make_unique<QProcess>();
        m_daemon->setProgram(QStringLiteral("dbus-daemon"));
        m_daemon->setArguments({ QStringLiteral("--config-file=") + configPath,
            QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
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
    ~DBusTestBus()
    {
        if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
            m_daemon->terminate();
            if (!m_daemon->waitForFinished(3000))
                m_daemon->kill();
            m_daemon->waitForFinished(3000);
        }
    }

    /// False when dbus-daemon is missing or did not start; tests then GTEST_SKIP.
    [[nodiscard]] bool isRunning() const { return !m_address.isEmpty(); }
    [[nodiscard]] QString address() const { return m_address; }

    /// A process-wide bus exported as DBUS_SESSION_BUS_ADDRESS. Both process-wide buses start on
    /// the first use of either: libdbus reads all bus addresses on its first connection.
    static DBusTestBus& session() { return processBuses()[0]; }
    /// A process-wide bus exported as DBUS_SYSTEM_BUS_ADDRESS, started with the session bus.
    static DBusTestBus& system() { return processBuses()[1]; }

private:
    static DBusTestBus* processBuses()
    {
        static DBusTestBus buses[2];
        [[maybe_unused]] static const bool exported = [] {
            qputenv("DBUS_SESSION_BUS_ADDRESS", buses[0].m_address.toUtf8());
            qputenv("DBUS_SYSTEM_BUS_ADDRESS", buses[1].m_address.toUtf8());
            return true;
        }();
        return buses;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_daemon;
    QString m_address;
};

} // namespace wattlet::test
