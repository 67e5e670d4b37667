#pragma once

#include <QString>

#include <string_view>

namespace wattlet {

/// The freedesktop icon-theme name standing in for a menu row's symbol ("gearshape" →
/// "preferences-system"); empty for none or an unknown symbol.
[[nodiscard]] QString menuIconName(std::string_view symbol);

} // namespace wattlet
