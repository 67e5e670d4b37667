#pragma once

#include <QColor>

#include <string_view>

namespace wattlet::Palette {

[[nodiscard]] QColor malachite();
[[nodiscard]] QColor gold();
[[nodiscard]] QColor blue();
[[nodiscard]] QColor yellow();
[[nodiscard]] QColor red();

/// The colour of a tone name: "red", "yellow", "blue", "gold", anything else malachite.
[[nodiscard]] QColor color(std::string_view tone);

} // namespace wattlet::Palette
