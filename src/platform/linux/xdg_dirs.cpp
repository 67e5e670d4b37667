#include "xdg_dirs.h"

#include "platform/app_files.h"

#include <QDir>
#include <QFile>

namespace wattlet::XdgDirs {

namespace {

    // XDG base directories must be absolute; a relative value would depend on the folder the
    // program happens to be started from.
    QString baseDir(const char* variable, std::string_view fallbackUnderHome)
    {
        return QFile::decodeName(AppFiles::xdgBaseDir(variable, fallbackUnderHome).c_str());
    }

} // namespace

QString dataHome() { return baseDir("XDG_DATA_HOME", ".local/share"); }

QString configHome() { return baseDir("XDG_CONFIG_HOME", ".config"); }

QStringList dataDirs()
{
    QStringList dirs;
    for (const QString& dir : qEnvironmentVariable("XDG_DATA_DIRS").split(u':')) {
        if (QDir::isAbsolutePath(dir))
            dirs.push_back(QDir::cleanPath(dir));
    }
    if (dirs.isEmpty())
        dirs = { QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share") };
    return dirs;
}

} // namespace wattlet::XdgDirs
