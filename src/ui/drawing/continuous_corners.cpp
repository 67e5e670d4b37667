#include "continuous_corners.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace wattlet {

namespace {

    constexpr qreal smoothing = 0.6;

    qreal radians(qreal degrees) { return degrees * std::numbers::pi / 180.0; }

    // One corner in its own frame: the corner point at the origin, the incoming edge along −x,
    // the outgoing edge along +y. A cubic eases from the edge into a circular arc of
    // 90°·(1 − s) and a mirrored cubic eases back out.
    struct CornerShape
    {
        qreal extent; // distance from the corner at which the curve leaves each edge
        qreal a, b, c, d; // the easing lengths
        qreal r;
        qreal arcDegrees;
    };

    CornerShape cornerShape(qreal radius, qreal limit)
    {
        qreal r = std::min(radius, limit);
        qreal s = std::clamp(limit / r - 1.0, 0.0, smoothing);
        const qreal extent = (1.0 + s) * r;
        const qreal arcDegrees = 90.0 * (1.0 - s);
        const qreal arcChord = std::sin(radians(arcDegrees / 2.0)) * r * std::numbers::sqrt2;
        const qreal alpha = (90.0 - arcDegrees) / 2.0;
        const qreal p3ToP4 = r * std::tan(radians(alpha / 2.0));
        const qreal beta = 45.0 * s;
        const qreal c = p3ToP4 * std::cos(radians(beta));
        const qreal d = c * std::tan(radians(beta));
        const qreal b = (extent - arcChord - c - d) / 3.0;
        return { extent, 2.0 * b, b, c, d, r, arcDegrees };
    }

    void addCorner(QPainterPath& path, const CornerShape& k, const QTransform& frame)
    {
        auto at = [&](qreal x, qreal y) { return frame.map(QPointF(x, y)); };
        const qreal e = k.extent;
        const QPointF arcStart(-e + k.a + k.b + k.c, k.d);
        const QPointF arcEnd(-k.d, e - k.a - k.b - k.c);
        path.lineTo(at(-e, 0));
        path.cubicTo(at(-e + k.a, 0), at(-e + k.a + k.b, 0), at(arcStart.x(), arcStart.y()));
        if (k.arcDegrees > 0.0) {
            // One cubic per arc: the arc spans at most 90°, so the error stays far below a pixel.
            const QPointF centre(-k.r, k.r);
            const qreal handle = 4.0 / 3.0 * std::tan(radians(k.arcDegrees) / 4.0);
            auto tangent = [&](QPointF p) {
                const QPointF v = p - centre;
                return QPointF(-v.y(), v.x()) * handle;
            };
            const QPointF c1 = arcStart + tangent(arcStart);
            const QPointF c2 = arcEnd - tangent(arcEnd);
            path.cubicTo(at(c1.x(), c1.y()), at(c2.x(), c2.y()), at(arcEnd.x(), arcEnd.y()));
        }
        path.cubicTo(at(0, e - k.a - k.b), at(0, e - k.a), at(0, e));
    }

} // namespace

QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    if (rect.isEmpty())
        return path;
    if (radius <= 0.0) {
        path.addRect(rect);
        return path;
    }
    const CornerShape k = cornerShape(radius, std::min(rect.width(), rect.height()) / 2.0);
    // Each frame maps the corner's own coordinates (incoming −x, outgoing +y) onto the rectangle,
    // walking clockwise from the top-left edge.
    const QTransform topRight(1, 0, 0, 1, rect.right(), rect.top());
    const QTransform bottomRight(0, 1, -1, 0, rect.right(), rect.bottom());
    const QTransform bottomLeft(-1, 0, 0, -1, rect.left(), rect.bottom());
    const QTransform topLeft(0, -1, 1, 0, rect.left(), rect.top());
    path.moveTo(rect.left() + k.extent, rect.top());
    addCorner(path, k, topRight);
    addCorner(path, k, bottomRight);
    addCorner(path, k, bottomLeft);
    addCorner(path, k, topLeft);
    path.closeSubpath();
    return path;
}

} // namespace wattlet
