#include "application_icon.h"

#include "app/brand.h"

namespace wattlet {

QIcon applicationIcon() { return QIcon::fromTheme(Brand::appId(), builtInApplicationIcon()); }

QIcon builtInApplicationIcon() { return QIcon(QStringLiteral(":/wattlet/application-icon.png")); }

} // namespace wattlet
