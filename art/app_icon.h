#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>

class QPainter;

/// The application icon: a white battery with a gold charge and a white bolt on a malachite
/// tile with continuous corners. One drawing serves every size and both forms (pixels and SVG),
/// so the installed icons cannot drift apart.
namespace wattlet::AppIcon {

/// Paints the icon scaled to the square `box`; outside the tile nothing is drawn.
void paint(QPainter& painter, const QRectF& box);

/// The icon as `pixels` × `pixels` ARGB32 with a transparent surround.
[[nodiscard]] QImage image(int pixels);

/// The same drawing as an SVG document on a 1024 × 1024 canvas, using only paths, solid fills,
/// linear gradients and strokes, so every icon renderer draws it alike.
[[nodiscard]] QByteArray svg();

} // namespace wattlet::AppIcon
