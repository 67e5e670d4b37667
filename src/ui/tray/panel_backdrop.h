#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

namespace wattlet {

/// The band a bar reserves on a screen of `geometry` whose work area is `available`: the one
/// holding `near` when given (nothing when no band holds it), else the first of top, bottom,
/// left and right; nothing when the work area leaves no band.
[[nodiscard]] std::optional<QRect> reservedBand(
    QRect geometry, QRect available, std::optional<QPoint> near);

/// The colour most of `picture` is painted in, as a grey of the median lightness (icons and
/// text on a bar are few pixels); invalid for an empty picture.
[[nodiscard]] QColor backdropColor(const QImage& picture);

/// The backdrop colour of `area` of the screen (global coordinates), read off the screen.
/// Invalid wherever the window system lets no screen be read, or for an area off every screen.
[[nodiscard]] QColor screenBackdropColor(QRect area);

/// The colour of the bar the tray sits in, read off the screen: the backdrop colour of the
/// reserved band (the one holding `near` when given, else a thin strip through `near`). Invalid
/// wherever that cannot be known: where no screen can be read, or with neither a reserved band
/// nor a point.
[[nodiscard]] QColor measuredPanelColor(std::optional<QPoint> near);

} // namespace wattlet
