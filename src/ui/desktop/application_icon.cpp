#include "application_icon.h"

namespace wattlet {

QIcon applicationIcon()
{
    return QIcon::fromTheme(QStringLiteral("dev.morvane.Wattlet"), builtInApplicationIcon());
}

QIcon builtInApplicationIcon() { return QIcon(QStringLiteral(":/wattlet/application-icon.png")); }

} // namespace wattlet
