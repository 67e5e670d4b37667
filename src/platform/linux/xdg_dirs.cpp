#include "xdg_dirs.h"

#include <QDir>

namespace wattlet::XdgDirs {

namespace {

    // XDG base directories must be absolute; a relative value would depend on the folder the
    // program happens to be started from.
    QString baseDir(const char* variable, const QString& fallbackUnderHome)
    {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty() && QDir::isAbsolutePath(value))
            return QDir::cleanPath(value);
        return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallbackUnderHome);
    }

} // namespace

QString dataHome() { return baseDir("XDG_DATA_HOME", QStringLiteral(".local/share")); }

QString configHome() { return baseDir("XDG_CONFIG_HOME", QStringLiteral(".config")); }

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
