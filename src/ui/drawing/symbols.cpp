#include "symbols.h"

#include "continuous_corners.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <map>
#include <numbers>

namespace wattlet::Symbols {

namespace {

    // Drawings use a grid on which the font size is 100 units.
    constexpr qreal em = 100.0;

    qreal strokeWidth(Weight weight)
    {
        switch (weight) {
        case Weight::regular:
            return 8.5;
        case Weight::medium:
            return 9.5;
        case Weight::semibold:
            return 10.5;
        case Weight::bold:
            return 12.0;
        }
        return 8.5;
    }

    // Boolean operations flatten curves with a fixed absolute tolerance, so they run on a grid
    // 16 times finer and the facets stay invisible even on a 1024-pixel rendering.
    constexpr qreal fine = 16.0;

    QPainterPath scaled(const QPainterPath& path, qreal factor)
    {
        return QTransform::fromScale(factor, factor).map(path);
    }

    QPainterPath unite(std::initializer_list<QPainterPath> parts)
    {
        QPainterPath result;
        for (const QPainterPath& part : parts)
            result = result.united(scaled(part, fine));
        return scaled(result, 1.0 / fine);
    }

    QPainterPath cut(const QPainterPath& from, const QPainterPath& hole)
    {
        return scaled(scaled(from, fine).subtracted(scaled(hole, fine)), 1.0 / fine);
    }

    QPainterPath stroke(
        const QPainterPath& centreLine, qreal width, Qt::PenCapStyle cap = Qt::RoundCap)
    {
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(cap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(centreLine);
    }

    QPainterPath polyline(std::initializer_list<QPointF> points)
    {
        QPainterPath path;
        for (const QPointF& p : points) {
            if (path.elementCount() == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        return path;
    }

    QPainterPath capsule(QPointF a, QPointF b, qreal width)
    {
        return stroke(polyline({ a, b }), width);
    }

    QPainterPath disc(QPointF centre, qreal r)
    {
        QPainterPath path;
        path.addEllipse(centre, r, r);
        return path;
    }

    QPainterPath ring(QPointF centre, qreal r, qreal width)
    {
        return stroke(disc(centre, r), width);
    }

    qreal radians(qreal degrees) { return degrees * std::numbers::pi / 180.0; }

    // Clock angles: degrees clockwise from 12 o'clock, as one reads a dial.
    QPointF onCircle(QPointF centre, qreal r, qreal clock)
    {
        return centre + QPointF(std::sin(radians(clock)), -std::cos(radians(clock))) * r;
    }

    QPainterPath arc(QPointF centre, qreal r, qreal fromClock, qreal sweepClock)
    {
        QPainterPath path(onCircle(centre, r, fromClock));
        path.arcTo(
            QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 90.0 - fromClock, -sweepClock);
        return path;
    }

    // A polygon whose corners are softened by quadratic curves cutting `radius` off each edge.
    QPainterPath roundedPolygon(const std::vector<QPointF>& points, qreal radius)
    {
        QPainterPath path;
        const std::size_t n = points.size();
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF prev = points[(i + n - 1) % n];
            const QPointF vertex = points[i];
            const QPointF next = points[(i + 1) % n];
            auto towards = [&](QPointF other) {
                const QPointF edge = other - vertex;
                const qreal length = std::hypot(edge.x(), edge.y());
                return vertex + edge * std::min(radius / length, 0.5);
            };
            if (i == 0)
                path.moveTo(towards(prev));
            else
                path.lineTo(towards(prev));
            path.quadTo(vertex, towards(next));
        }
        path.closeSubpath();
        return path;
    }

    // A stroked arc ending in a filled arrowhead that points along the direction of travel.
    QPainterPath arrowArc(QPointF centre, qreal r, qreal fromClock, qreal sweepClock, qreal width)
    {
        const qreal head = width * 2.9;
        const qreal endClock = fromClock + sweepClock;
        const QPointF end = onCircle(centre, r, endClock);
        const qreal direction = sweepClock >= 0 ? 1.0 : -1.0;
        const QPointF along
            = QPointF(std::cos(radians(endClock)), std::sin(radians(endClock))) * direction;
        const QPointF outward = (end - centre) / r;
        const QPointF base = end - along * head * 0.3;
        const QPainterPath tip
            = roundedPolygon({ end + along * head * 0.62, base + outward * head * 0.58,
                                 base - outward * head * 0.58 },
                width * 0.25);
        return unite({ stroke(arc(centre, r, fromClock, sweepClock), width), tip });
    }

    std::vector<QPointF> boltOutline()
    {
        return { { 46, 2 }, { 6, 62 }, { 33, 62 }, { 24, 108 }, { 64, 46 }, { 37, 46 } };
    }

    QPainterPath boltFill(qreal) { return roundedPolygon(boltOutline(), 5); }

    QPainterPath boltHorizontal(qreal)
    {
        // The upright bolt turned a quarter clockwise, so it reads left to right.
        QTransform turn;
        turn.translate(110, 0);
        turn.rotate(90);
        return turn.map(boltFill(0));
    }

    constexpr QRectF batteryBody(0, 8, 168, 84);
    constexpr qreal batteryRadius = 25;

    QPainterPath battery(qreal w, qreal fraction, bool bolt)
    {
        const QRectF centreLine = batteryBody.adjusted(w / 2, w / 2, -w / 2, -w / 2);
        QPainterPath shape = stroke(continuousRoundedRect(centreLine, batteryRadius - w / 2), w);
        const QPainterPath nub = cut(continuousRoundedRect(QRectF(160, 35, 28, 30), 10),
            continuousRoundedRect(QRectF(0, 0, 174, 100), 0));
        const qreal gap = 7;
        const QRectF inside = batteryBody.adjusted(w + gap, w + gap, -w - gap, -w - gap);
        const qreal innerRadius = batteryRadius - w - gap;
        shape = unite({ shape, nub });
        if (fraction > 0) {
            const QRectF level(inside.topLeft(),
                QSizeF(std::max(inside.width() * fraction, 2 * innerRadius), inside.height()));
            shape = unite({ shape, continuousRoundedRect(level, innerRadius) });
        }
        if (bolt) {
            // The bolt stands a little proud of the body, with a clear gap around it so it reads
            // against the fill even at tray size.
            QTransform place;
            place.translate(84 - 35 * 0.91, 0);
            place.scale(0.91, 0.91);
            const QPainterPath mark = place.map(boltFill(0));
            shape = unite({ cut(shape, stroke(mark, 16)), mark });
        }
        return shape;
    }

    QPainterPath gear(QPointF centre, qreal outer, qreal root)
    {
        constexpr int teeth = 8;
        constexpr qreal tipHalf = 10.0;
        constexpr qreal baseHalf = 16.5;
        constexpr int rootSteps = 4;
        std::vector<QPointF> points;
        for (int k = 0; k < teeth; ++k) {
            const qreal at = 360.0 / teeth * k;
            points.push_back(onCircle(centre, root, at - baseHalf));
            points.push_back(onCircle(centre, outer, at - tipHalf));
            points.push_back(onCircle(centre, outer, at + tipHalf));
            points.push_back(onCircle(centre, root, at + baseHalf));
            const qreal gapStart = at + baseHalf;
            const qreal gapSweep = 360.0 / teeth - 2 * baseHalf;
            for (int s = 1; s < rootSteps; ++s)
                points.push_back(onCircle(centre, root, gapStart + gapSweep * s / rootSteps));
        }
        return roundedPolygon(points, 2.5);
    }

    QPainterPath gearOutline(qreal w)
    {
        const QPointF c(52, 52);
        return unite({ stroke(gear(c, 52 - w / 2, 41 - w / 2), w), ring(c, 14, w) });
    }

    QPainterPath gearFill(qreal) { return cut(gear({ 52, 52 }, 52, 40), disc({ 52, 52 }, 15)); }

    QPainterPath clockFace(qreal w)
    {
        const QPointF c(50, 50);
        return unite(
            { ring(c, 50 - w / 2, w), stroke(polyline({ { 50, 24 }, c, { 68, 58 } }), w) });
    }

    QPainterPath clockRewind(qreal w)
    {
        const QPointF c(58, 52);
        return unite({ arrowArc(c, 46 - w / 2, 215, -305, w),
            stroke(polyline({ { 58, 31 }, c, { 71, 60 } }), w) });
    }

    QPainterPath thermometer(qreal w)
    {
        const QPointF bulb(26, 84);
        const QPainterPath glass
            = unite({ capsule({ 26, 2 + 13 }, { 26, 70 }, 26 - w), disc(bulb, 24 - w / 2) });
        return unite({ stroke(glass, w), disc(bulb, 11.5), capsule({ 26, 84 }, { 26, 44 }, 8) });
    }

    QPainterPath heart(qreal)
    {
        QPainterPath path({ 55, 97 });
        path.cubicTo(35, 82, 2, 62, 2, 33);
        path.cubicTo(2, 14, 16, 3, 31, 3);
        path.cubicTo(43, 3, 51, 10, 55, 19);
        path.cubicTo(59, 10, 67, 3, 79, 3);
        path.cubicTo(94, 3, 108, 14, 108, 33);
        path.cubicTo(108, 62, 75, 82, 55, 97);
        path.closeSubpath();
        return path;
    }

    QPainterPath twoArrows(qreal w)
    {
        const QPointF c(55, 52);
        return unite({ arrowArc(c, 40, 288, 130, w), arrowArc(c, 40, 108, 130, w) });
    }

    QPainterPath warningTriangle(qreal w)
    {
        const QPainterPath triangle = roundedPolygon({ { 56, 3 }, { 110, 97 }, { 2, 97 } }, 14);
        const QPainterPath mark
            = unite({ capsule({ 56, 38 }, { 56, 62 }, w + 2.5), disc({ 56, 78 }, 6.5) });
        return cut(triangle, mark);
    }

    QPainterPath documents(qreal w)
    {
        const QRectF front(2, 28, 64, 80);
        const QRectF back(30, 2, 64, 80);
        const qreal radius = 14;
        auto outline = [&](const QRectF& r) {
            return stroke(
                continuousRoundedRect(r.adjusted(w / 2, w / 2, -w / 2, -w / 2), radius - w / 2), w);
        };
        const QPainterPath hidden = continuousRoundedRect(front.adjusted(-7, -7, 7, 7), radius + 7);
        return unite({ cut(outline(back), hidden), outline(front) });
    }

    QPainterPath chevronLeft(qreal w)
    {
        return stroke(polyline({ { 46, 8 }, { 10, 50 }, { 46, 92 } }), w * 1.1);
    }

    QPainterPath chevronRight(qreal w)
    {
        return stroke(polyline({ { 10, 8 }, { 46, 50 }, { 10, 92 } }), w * 1.1);
    }

    QPainterPath arrowUpRight(qreal w)
    {
        return unite({ stroke(polyline({ { 10, 80 }, { 78, 12 } }), w),
            stroke(polyline({ { 26, 12 }, { 78, 12 }, { 78, 64 } }), w) });
    }

    QPainterPath person(qreal)
    {
        QPainterPath body({ 4, 94 });
        body.cubicTo(4, 70, 26, 58, 50, 58);
        body.cubicTo(74, 58, 96, 70, 96, 94);
        body.quadTo(96, 102, 88, 102);
        body.lineTo(12, 102);
        body.quadTo(4, 102, 4, 94);
        body.closeSubpath();
        return unite({ disc({ 50, 26 }, 24), body });
    }

    QPainterPath compass(qreal w)
    {
        const QPointF c(52, 52);
        const QPointF northEast(std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2);
        const QPointF across(std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2);
        const QPainterPath pointer
            = roundedPolygon({ c + northEast * 32, c + across * 10, c - across * 10 }, 2);
        const QPainterPath tail
            = roundedPolygon({ c - northEast * 32, c - across * 10, c + across * 10 }, 2);
        return unite({ ring(c, 52 - w / 2, w), pointer, stroke(tail, w * 0.7) });
    }

    QPainterPath hand(qreal)
    {
        constexpr qreal finger = 14;
        return unite(
            { capsule({ 29, 17 }, { 29, 64 }, finger), capsule({ 47, 9 }, { 47, 64 }, finger),
                capsule({ 65, 14 }, { 65, 64 }, finger), capsule({ 82, 30 }, { 82, 64 }, finger),
                continuousRoundedRect(QRectF(22, 50, 67, 58), 24),
                capsule({ 30, 86 }, { 9, 58 }, 16) });
    }

    QPainterPath info(qreal w)
    {
        const QPointF c(50, 50);
        return unite({ ring(c, 50 - w / 2, w), disc({ 50, 29 }, 6.5),
            capsule({ 50, 45 }, { 50, 73 }, w + 1.5) });
    }

    QPainterPath power(qreal w)
    {
        return unite({ stroke(arc({ 50, 56 }, 46 - w / 2, 38, 284), w),
            capsule({ 50, w / 2 }, { 50, 46 }, w) });
    }

    QPainterPath computerMouse(qreal w)
    {
        const QPainterPath body = continuousRoundedRect(QRectF(2, 2, 60, 100), 30);
        return cut(body,
            unite({ capsule({ 32, -6 }, { 32, 38 }, w * 0.7),
                capsule({ -6, 40 }, { 70, 40 }, w * 0.7) }));
    }

    QPainterPath keyboard(qreal)
    {
        QPainterPath keys;
        for (int row = 0; row < 2; ++row) {
            for (int k = 0; k < 6; ++k)
                keys.addRect(QRectF(15 + k * 19.5, 22 + row * 18, 12, 10));
        }
        keys.addRect(QRectF(34.5, 58, 71, 10));
        return cut(continuousRoundedRect(QRectF(2, 8, 136, 76), 14), keys);
    }

    QPainterPath headphones(qreal w)
    {
        const QPointF c(52, 54);
        const qreal r = 48 - w / 2;
        const QPainterPath band = unite(
            { stroke(arc(c, r, 270, 180), w), capsule({ c.x() - r, 54 }, { c.x() - r, 66 }, w),
                capsule({ c.x() + r, 54 }, { c.x() + r, 66 }, w) });
        return unite({ band, continuousRoundedRect(QRectF(0, 56, 28, 44), 11),
            continuousRoundedRect(QRectF(76, 56, 28, 44), 11) });
    }

    QPainterPath gameController(qreal w)
    {
        const QPainterPath body = unite({ continuousRoundedRect(QRectF(8, 12, 124, 54), 27),
            disc({ 32, 62 }, 28), disc({ 108, 62 }, 28) });
        const QPainterPath controls = unite(
            { capsule({ 22, 42 }, { 48, 42 }, w * 0.9), capsule({ 35, 29 }, { 35, 55 }, w * 0.9),
                disc({ 100, 34 }, 6.5), disc({ 112, 48 }, 6.5) });
        return cut(body, controls);
    }

    QPainterPath touchpad(qreal w)
    {
        const QPainterPath pad = continuousRoundedRect(QRectF(2, 8, 136, 88), 16);
        return cut(pad,
            unite({ capsule({ -6, 68 }, { 146, 68 }, w * 0.7),
                capsule({ 70, 68 }, { 70, 104 }, w * 0.7) }));
    }

    QPainterPath pencilTip(qreal w)
    {
        // Drawn upright, then turned to lean right like a pen in the hand.
        QPainterPath body = continuousRoundedRect(QRectF(0, 0, 30, 72), 8);
        const QPainterPath tip = roundedPolygon({ { 0, 78 }, { 30, 78 }, { 15, 106 } }, 3);
        body = cut(body, capsule({ -4, 14 }, { 34, 14 }, w * 0.6));
        QTransform turn;
        turn.translate(86, 4);
        turn.rotate(40);
        return turn.map(unite({ body, tip }));
    }

    QPainterPath phone(qreal w)
    {
        const QRectF frame(2, 2, 60, 100);
        return unite({ stroke(continuousRoundedRect(
                                  frame.adjusted(w / 2, w / 2, -w / 2, -w / 2), 15 - w / 2),
                           w),
            capsule({ 24, 12 }, { 40, 12 }, w * 0.8) });
    }

    QPainterPath musicNote(qreal w)
    {
        QPainterPath head;
        head.addEllipse(QPointF(24, 84), 22, 17);
        QPainterPath flag({ 40, 6 });
        flag.cubicTo(52, 20, 80, 22, 78, 50);
        flag.cubicTo(72, 36, 56, 34, 40, 32);
        flag.closeSubpath();
        return unite({ head, capsule({ 42, 84 }, { 42, 8 }, w), flag });
    }

    struct Drawing
    {
        QSizeF box; // in grid units, font size = 100
        std::function<QPainterPath(qreal stroke)> build;
    };

    const std::map<std::string_view, Drawing>& drawings()
    {
        auto batteryAt = [](qreal fraction) {
            return [fraction](qreal w) { return battery(w, fraction, false); };
        };
        static const std::map<std::string_view, Drawing> table {
            { "battery.0percent", { { 188, 100 }, batteryAt(0.0) } },
            { "battery.25percent", { { 188, 100 }, batteryAt(0.25) } },
            { "battery.50percent", { { 188, 100 }, batteryAt(0.5) } },
            { "battery.75percent", { { 188, 100 }, batteryAt(0.75) } },
            { "battery.100percent", { { 188, 100 }, batteryAt(1.0) } },
            { "battery.100percent.bolt",
                { { 188, 100 }, [](qreal w) { return battery(w, 1.0, true); } } },
            { "bolt.fill", { { 70, 110 }, boltFill } },
            { "bolt.horizontal.fill", { { 110, 70 }, boltHorizontal } },
            { "clock", { { 100, 100 }, clockFace } },
            { "clock.arrow.circlepath", { { 112, 104 }, clockRewind } },
            { "thermometer.medium", { { 52, 110 }, thermometer } },
            { "heart.fill", { { 110, 100 }, heart } },
            { "arrow.triangle.2.circlepath", { { 110, 104 }, twoArrows } },
            { "exclamationmark.triangle.fill", { { 112, 100 }, warningTriangle } },
            { "gearshape", { { 104, 104 }, gearOutline } },
            { "gearshape.fill", { { 104, 104 }, gearFill } },
            { "doc.on.doc", { { 96, 110 }, documents } },
            { "chevron.left", { { 56, 100 }, chevronLeft } },
            { "chevron.right", { { 56, 100 }, chevronRight } },
            { "arrow.up.right", { { 90, 90 }, arrowUpRight } },
            { "person.fill", { { 100, 104 }, person } },
            { "safari", { { 104, 104 }, compass } },
            { "hand.raised.fill", { { 100, 110 }, hand } },
            { "info.circle", { { 100, 100 }, info } },
            { "power", { { 100, 104 }, power } },
            { "computermouse.fill", { { 64, 104 }, computerMouse } },
            { "keyboard.fill", { { 140, 92 }, keyboard } },
            { "headphones", { { 104, 100 }, headphones } },
            { "gamecontroller.fill", { { 140, 92 }, gameController } },
            { "touchpad.fill", { { 140, 104 }, touchpad } },
            { "pencil.tip", { { 104, 104 }, pencilTip } },
            { "iphone", { { 64, 104 }, phone } },
            { "music.note", { { 80, 104 }, musicNote } },
        };
        return table;
    }

    const Drawing* find(std::string_view name)
    {
        const auto& table = drawings();
        const auto it = table.find(name);
        return it == table.end() ? nullptr : &it->second;
    }

    // The outline on the grid, built once per symbol and weight.
    const QPainterPath& outline(const Drawing& drawing, Weight weight)
    {
        static std::map<std::pair<const Drawing*, Weight>, QPainterPath> cache;
        const auto key = std::make_pair(&drawing, weight);
        auto it = cache.find(key);
        if (it == cache.end()) {
            it = cache.emplace(key, drawing.build(strokeWidth(weight))).first;
        }
        return it->second;
    }

} // namespace

bool has(std::string_view name) { return find(name) != nullptr; }

QSizeF size(std::string_view name, qreal fontSize)
{
    const Drawing* drawing = find(name);
    return drawing == nullptr ? QSizeF() : drawing->box * (fontSize / em);
}

QPainterPath path(std::string_view name, const QRectF& box, Weight weight)
{
    const Drawing* drawing = find(name);
    if (drawing == nullptr || box.isEmpty())
        return {};
    const qreal scale
        = std::min(box.width() / drawing->box.width(), box.height() / drawing->box.height());
    QTransform fit;
    fit.translate(box.center().x() - drawing->box.width() * scale / 2,
        box.center().y() - drawing->box.height() * scale / 2);
    fit.scale(scale, scale);
    return fit.map(outline(*drawing, weight));
}

void paint(QPainter& painter, const QRectF& box, std::string_view name, const QColor& color,
    Weight weight, bool mirrored)
{
    QPainterPath shape = path(name, box, weight);
    if (shape.isEmpty())
        return;
    if (mirrored) {
        const qreal axis = box.center().x();
        shape = QTransform(-1, 0, 0, 1, 2 * axis, 0).map(shape);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, color);
    painter.restore();
}

QPixmap pixmap(
    std::string_view name, const QColor& color, int logicalSize, qreal dpr, Weight weight)
{
    const int side = std::max(1, static_cast<int>(std::lround(logicalSize * dpr)));
    QPixmap result(side, side);
    result.setDevicePixelRatio(dpr);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(painter, QRectF(0, 0, logicalSize, logicalSize), name, color, weight);
    return result;
}

} // namespace wattlet::Symbols
