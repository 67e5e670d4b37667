#include "platform/app_files.h"
#include "platform/app_folders.h"

#include <QFile>

namespace wattlet::AppFolders {

QString data() { return QFile::decodeName(AppFiles::dataDir().c_str()); }

QString settingsFile() { return QFile::decodeName(AppFiles::settingsFile().c_str()); }

void moveUnder(const QString& root)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
}

} // namespace wattlet::AppFolders
