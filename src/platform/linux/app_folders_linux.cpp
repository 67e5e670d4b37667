#include "identity.h"
#include "xdg_dirs.h"

#include "platform/app_folders.h"

namespace wattlet::AppFolders {

namespace {

    QString appName() { return QString::fromLatin1(Identity::name); }

} // namespace

QString data() { return XdgDirs::dataHome() + QLatin1Char('/') + appName(); }

QString settingsFile()
{
    return XdgDirs::configHome() + QLatin1Char('/') + appName() + QLatin1Char('/') + appName()
        + QStringLiteral(".conf");
}

} // namespace wattlet::AppFolders
