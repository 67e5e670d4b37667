#pragma once

#include "platform/window_system.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

namespace wattlet {

/// Where a panel of `size` goes on a screen of geometry `screen` whose work area (what bars
/// leave free) is `available`. An `anchor` (a click, moved onto the screen first) near a screen
/// edge is a click in a bar there: the panel opens beside that bar (below a top bar, above a
/// bottom one, right of a left one, left of a right one), centred on the click along it, and
/// never over it, even where the work area does not exclude the bar: a bar reaches at least
/// twice as far from the edge as the click. An anchor farther in puts the panel below it, above
/// when it does not fit. Without an anchor it goes to the work area's corner at the edge the
/// work area reserves most (top-right, bottom-right, bottom-left, bottom-right for top, bottom,
/// left, right), or below an assumed top bar when nothing is reserved. It stays inside the work
/// area; a panel larger than that shows its top-left part.
[[nodiscard]] QRect panelGeometry(
    QSize size, std::optional<QPoint> anchor, QRect screen, QRect available);

/// `available` less the bands `bars` take along the edges of `screen`.
[[nodiscard]] QRect freeOfBars(
    QRect screen, QRect available, const std::vector<WindowSystem::ScreenBar>& bars);

} // namespace wattlet
