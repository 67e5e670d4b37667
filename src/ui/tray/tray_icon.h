#pragma once

#include "tray_ink.h"

#include "app/present/status_item_view.h"

#include <QColor>
#include <QImage>
#include <QList>

namespace wattlet {

/// The shapes' colour: `foreground` for a monochrome view, else the tint.
[[nodiscard]] QColor trayTint(StatusTint tint, const QColor& foreground);

/// The square sizes the item offers its host, each drawn for its own pixel grid (a host scales
/// the nearest one, which blurs): 16 to 24 px for panels, 32 to 96 px for larger and
/// double-density ones.
[[nodiscard]] const QList<int>& trayIconSizes();

/// The item's symbol on a transparent square of `sizePx` pixels.
[[nodiscard]] QImage trayIconImage(const StatusItemView& view, int sizePx, const TrayInk& ink);

/// For hosts that show no text beside icons: the percentage (0–100) in large squared digits
/// above a flat battery with its level, with the bolt across it on power, all in the tint; the
/// plain symbol when the view shows no percentage.
[[nodiscard]] QImage trayPercentImage(const StatusItemView& view, int sizePx, const TrayInk& ink);

/// For hosts that draw the percentage as a label beside the icon: the battery upright, as tall
/// as the square (the host's own icons fill the row), with its level and, on power, the bolt
/// across it, in the tint; the plain symbol when the view shows no percentage.
[[nodiscard]] QImage trayLabelImage(const StatusItemView& view, int sizePx, const TrayInk& ink);

} // namespace wattlet
