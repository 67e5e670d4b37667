#include "files.h"

#include "platform/app_files.h"
#include "platform/app_folders.h"
#include "platform/folder_sync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cstdio>
#include <string>
#include <string_view>

namespace wattlet::Files {

namespace {

    // The files a load refused, until a save has moved them aside. Main thread only.
    QSet<QString>& refusedFiles()
    {
        static QSet<QString> paths;
        return paths;
    }

    // What the file at `path` holds; empty when it is missing, and also when it cannot be read,
    // is too large or is malformed, which marks it to be kept aside by the next save.
    template <typename Stored> Stored loadStored(const QString& path, std::int64_t maxBytes)
    {
        refusedFiles().remove(path);
        // Only a regular file: opening a FIFO or a device would block or never end.
        const QFileInfo info(path);
        if (!info.isFile())
            return {};
        QFile file(path);
        // The size may change between the check and the read.
        const QByteArray bytes = info.size() <= maxBytes && file.open(QIODevice::ReadOnly)
            ? file.read(maxBytes + 1)
            : QByteArray();
        auto stored = bytes.isEmpty() || bytes.size() > maxBytes
            ? std::nullopt
            : Stored::fromJson(
                  std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!stored) {
            refusedFiles().insert(path);
            return {};
        }
        return std::move(*stored);
    }

    // Moves a refused file to "<path>.unreadable" (replacing an older one), then replaces the
    // file atomically and durably.
    void saveStored(const QString& path, const std::string& contents)
    {
        const QString folder = QFileInfo(path).path();
        QDir().mkpath(folder);
        if (refusedFiles().remove(path)) {
            // rename() replaces an older copy in one step; a failure leaves the file to be
            // replaced.
            std::rename(QFile::encodeName(path).constData(),
                QFile::encodeName(path + QStringLiteral(".unreadable")).constData());
        }
        QSaveFile file(path);
        // Unbuffered, so the count write() returns is what reached the file: a short write (disk
        // full, file size limit) sets no error, and commit() would rename a truncated file.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const auto size = static_cast<qint64>(contents.size());
        if (file.write(contents.data(), size) != size) {
            file.cancelWriting();
            return;
        }
        // QSaveFile syncs the file before the rename; the rename itself is only on disk once the
        // folder is synced too.
        if (file.commit())
            syncFolder(folder);
    }

} // namespace

QString dir() { return AppFolders::data(); }

QString historyPath() { return dir() + QStringLiteral("/history.json"); }

QString unreadablePath() { return historyPath() + QStringLiteral(".unreadable"); }

QString healthPath() { return QFile::decodeName(AppFiles::healthFile().c_str()); }

BatteryHistory loadHistory() { return loadStored<BatteryHistory>(historyPath(), maxHistoryBytes); }

void saveHistory(const BatteryHistory& history)
{
    saveStored(historyPath(), history.toJson(static_cast<std::size_t>(maxHistoryBytes)));
}

HealthLog loadHealth() { return loadStored<HealthLog>(healthPath(), maxHealthBytes); }

void saveHealth(const HealthLog& log) { saveStored(healthPath(), log.toJson()); }

} // namespace wattlet::Files
