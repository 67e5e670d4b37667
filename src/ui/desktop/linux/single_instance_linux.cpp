#include "app/brand.h"
#include "app/files.h"
#include "ui/desktop/single_instance.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QLockFile>

#include <unistd.h>

namespace wattlet {

SingleInstance::SingleInstance(QDBusConnection connection)
    : m_connection(std::move(connection))
{ }

SingleInstance::~SingleInstance() = default;

QString SingleInstance::busName() { return Brand::appId(); }

QString SingleInstance::lockPath()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        return QDir::tempPath() + QStringLiteral("/%1-%2.lock").arg(Brand::appId()).arg(getuid());
    return dir + QStringLiteral("/%1.lock").arg(Brand::appId());
}

QString SingleInstance::dataLockPath() { return Files::dir() + QStringLiteral("/instance.lock"); }

bool SingleInstance::claim() { return claimSession() && claimDataFolder(); }

bool SingleInstance::claimSession()
{
    if (m_connection.isConnected()) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply
            = m_connection.interface()->registerService(busName(),
                QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid())
            return reply.value() == QDBusConnectionInterface::ServiceRegistered;
        // The bus refused to answer: the lock file decides instead.
    }
    m_lock = std::make_unique<QLockFile>(lockPath());
    // A lock left by a crashed copy is taken over once its process is gone.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

bool SingleInstance::claimDataFolder()
{
    QDir().mkpath(Files::dir());
    m_dataLock = std::make_unique<QLockFile>(dataLockPath());
    // Stale when its process is gone; one of another host is kept, since it cannot be checked.
    m_dataLock->setStaleLockTime(0);
    if (m_dataLock->tryLock(0))
        return true;
    // A folder that takes no lock takes no history either: nothing to protect.
    return m_dataLock->error() != QLockFile::LockFailedError;
}

} // namespace wattlet
