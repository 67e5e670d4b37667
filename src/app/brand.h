#pragma once

#include <QString>
#include <QUrl>

namespace wattlet::Brand {

/// The program's name as the user reads it: "Ваттлет" in Russian, else "Wattlet".
[[nodiscard]] QString name(bool russian);
/// https://morvane.dev
[[nodiscard]] QUrl authorURL();
/// https://wattlet.morvane.dev
[[nodiscard]] QUrl pageURL();
/// The product page followed by "/ru/privacy/" or "/privacy/".
[[nodiscard]] QUrl privacyURL(bool russian);
/// The program's short version, from the build ("1.0.0" when unknown).
[[nodiscard]] QString version();
/// "by Morvane · morvane.dev": the fixed brand line of the footer and the menu.
[[nodiscard]] QString line();

} // namespace wattlet::Brand
