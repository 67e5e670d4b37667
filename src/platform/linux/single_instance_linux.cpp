#include "identity.h"

#include "platform/app_folders.h"
#include "platform/single_instance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QLockFile>

#include <atomic>
#include <optional>
#include <unistd.h>

namespace wattlet {

namespace {

    // A connection of our own to a bus named by its address; the session bus otherwise.
    std::optional<QString> ownConnectionName(const QString& busAddress)
    {
        if (busAddress.isEmpty())
            return std::nullopt;
        static std::atomic<int> counter { 0 };
        return QStringLiteral("wattlet-instance-%1").arg(++counter);
    }

} // namespace

struct SingleInstance::Impl
{
    explicit Impl(const QString& busAddress)
        : connectionName(ownConnectionName(busAddress))
        , connection(connectionName ? QDBusConnection::connectToBus(busAddress, *connectionName)
                                    : QDBusConnection::sessionBus())
    { }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        if (connectionName)
            QDBusConnection::disconnectFromBus(*connectionName);
    }

    bool claimSession();
    bool claimDataFolder();

    std::optional<QString> connectionName;
    QDBusConnection connection;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLockFile> dataLock;
};

SingleInstance::SingleInstance(const QString& busAddress)
    : m_impl(std::make_unique<Impl>(busAddress))
{ }

SingleInstance::~SingleInstance() = default;

QString SingleInstance::busName() { return QString::fromLatin1(Identity::appId); }

QString SingleInstance::lockPath()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        return QDir::tempPath() + QStringLiteral("/%1-%2.lock").arg(busName()).arg(getuid());
    return dir + QStringLiteral("/%1.lock").arg(busName());
}

QString SingleInstance::dataLockPath()
{
    return AppFolders::data() + QStringLiteral("/instance.lock");
}

bool SingleInstance::claim() { return m_impl->claimSession() && m_impl->claimDataFolder(); }

bool SingleInstance::Impl::claimSession()
{
    if (connection.isConnected()) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply
            = connection.interface()->registerService(busName(),
                QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid())
            return reply.value() == QDBusConnectionInterface::ServiceRegistered;
        // The bus refused to answer: the lock file decides instead.
    }
    lock = std::make_unique<QLockFile>(lockPath());
    // A lock left by a crashed copy is taken over once its process is gone.
    lock->setStaleLockTime(0);
    return lock->tryLock(0);
}

bool SingleInstance::Impl::claimDataFolder()
{
    QDir().mkpath(AppFolders::data());
    dataLock = std::make_unique<QLockFile>(dataLockPath());
    // Stale when its process is gone; one of another host is kept, since it cannot be checked.
    dataLock->setStaleLockTime(0);
    if (dataLock->tryLock(0))
        return true;
    // A folder that takes no lock takes no history either: nothing to protect.
    return dataLock->error() != QLockFile::LockFailedError;
}

} // namespace wattlet
