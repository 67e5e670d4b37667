#include "files.h"

#include "platform/xdg_dirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <string>
#include <string_view>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace wattlet::Files {

namespace {

    // The history file loadHistory() refused, until a save has moved it aside. Main thread only.
    QString& refusedFile()
    {
        static QString path;
        return path;
    }

    BatteryHistory refused(const QString& path)
    {
        refusedFile() = path;
        return {};
    }

    // QSaveFile syncs the file before the rename; the rename itself is only on disk once the
    // folder is synced too.
    void syncFolder([[maybe_unused]] const QString& path)
    {
#ifdef Q_OS_UNIX
        const int fd
            = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
#endif
    }

} // namespace

QString dir()
{
#ifdef __APPLE__
    return QDir::homePath() + QStringLiteral("/Library/Application Support/Wattlet");
#else
    return XdgDirs::dataHome() + QStringLiteral("/Wattlet");
#endif
}

QString historyPath() { return dir() + QStringLiteral("/history.json"); }

QString unreadablePath() { return historyPath() + QStringLiteral(".unreadable"); }

BatteryHistory loadHistory()
{
    refusedFile().clear();
    // Only a regular file: opening a FIFO or a device would block or never end.
    const QFileInfo info(historyPath());
    if (!info.isFile())
        return {};
    if (info.size() > maxHistoryBytes)
        return refused(info.filePath());
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return refused(info.filePath());
    // The size may have changed since it was checked.
    const QByteArray bytes = file.read(maxHistoryBytes + 1);
    if (bytes.size() > maxHistoryBytes)
        return refused(info.filePath());
    auto history = BatteryHistory::fromJson(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return history ? std::move(*history) : refused(info.filePath());
}

void saveHistory(const BatteryHistory& history)
{
    const QString folder = dir();
    QDir().mkpath(folder);
    if (!refusedFile().isEmpty() && refusedFile() == historyPath()) {
        // rename() replaces an older copy in one step; a failure leaves the file to be replaced.
        std::rename(QFile::encodeName(refusedFile()).constData(),
            QFile::encodeName(unreadablePath()).constData());
        refusedFile().clear();
    }
    const std::string json = history.toJson(static_cast<std::size_t>(maxHistoryBytes));
    QSaveFile file(historyPath());
    // Unbuffered, so the count write() returns is what reached the file: a short write (disk
    // full, file size limit) sets no error, and commit() would rename a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const auto size = static_cast<qint64>(json.size());
    if (file.write(json.data(), size) != size) {
        file.cancelWriting();
        return;
    }
    if (file.commit())
        syncFolder(folder);
}

} // namespace wattlet::Files
