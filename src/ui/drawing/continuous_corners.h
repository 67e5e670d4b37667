#pragma once

#include <QPainterPath>
#include <QRectF>

namespace wattlet {

/// A rounded rectangle whose corners ease into the straight edges (curvature grows gradually,
/// like a squircle) instead of meeting them with a circular quarter. Each corner reaches 1.6 ×
/// `radius` along its edges; when the rectangle is too small for that, the easing is reduced
/// first and then the radius, so the path never overlaps itself. An empty rectangle gives an
/// empty path; `radius` ≤ 0 gives the plain rectangle.
[[nodiscard]] QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius);

} // namespace wattlet
