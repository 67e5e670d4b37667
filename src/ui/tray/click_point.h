#pragma once

#include <QPoint>

#include <optional>

namespace wattlet {

/// The screen point of a click as a tray host reports it over the bus: nothing for 0, 0 (hosts
/// that do not know send that), otherwise the point moved onto the nearest screen. Any client of
/// the session bus may send any int, and later arithmetic must not overflow on it.
[[nodiscard]] std::optional<QPoint> clickPoint(int x, int y);

} // namespace wattlet
