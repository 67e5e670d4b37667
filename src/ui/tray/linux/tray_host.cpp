#include "tray_host.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFile>
#include <QFileInfo>

namespace wattlet {

QString serviceProgram(const QDBusConnection& connection, const QString& service)
{
    QDBusConnectionInterface* bus = connection.interface();
    if (!bus)
        return {};
    const QDBusReply<QString> owner = bus->serviceOwner(service);
    if (!owner.isValid())
        return {};
    const QDBusReply<uint> pid = bus->servicePid(owner.value());
    if (!pid.isValid() || pid.value() == 0)
        return {};
    const QString process = QStringLiteral("/proc/%1/").arg(pid.value());
    QString exe = QFileInfo(process + QStringLiteral("exe")).symLinkTarget();
    // A program replaced on disk while it runs.
    exe.remove(QStringLiteral(" (deleted)"));
    if (!exe.isEmpty())
        return QFileInfo(exe).fileName();
    QFile comm(process + QStringLiteral("comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readLine(256)).trimmed();
}

bool hostDrawsLabels(const QString& program)
{
    static const QStringList labelHosts { QStringLiteral("gnome-shell"),
        QStringLiteral("ayatana-indicator-application-service"),
        QStringLiteral("indicator-application-service") };
    return labelHosts.contains(program);
}

} // namespace wattlet
