#pragma once

#include "core/language.h"

#include <QString>
#include <QUrl>

namespace wattlet::Brand {

/// The reverse-DNS application id from the build: the D-Bus name, the desktop entry and the icon.
[[nodiscard]] QString appId();
/// The program's name as the user reads it in `language`: "Ваттлет" in Russian, "Wattlet" in
/// English.
[[nodiscard]] QString name(Language language);
/// The program's version from the build, "major.minor.patch".
[[nodiscard]] QString version();
/// https://morvane.dev
[[nodiscard]] QUrl authorURL();
/// The product page from the build, https://wattlet.morvane.dev.
[[nodiscard]] QUrl pageURL();
/// The product page followed by "/ru/privacy/" or "/privacy/".
[[nodiscard]] QUrl privacyURL(bool russian);
/// "by Morvane · morvane.dev": the fixed brand line of the footer and the menu.
[[nodiscard]] QString line();

} // namespace wattlet::Brand
