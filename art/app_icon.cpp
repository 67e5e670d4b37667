#include "app_icon.h"

#include "ui/drawing/continuous_corners.h"
#include "ui/drawing/symbols.h"

#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <optional>
#include <vector>

namespace wattlet::AppIcon {

namespace {

    constexpr qreal canvas = 1024;

    struct Gradient
    {
        QPointF from;
        QPointF to;
        std::vector<std::pair<qreal, QColor>> stops;
    };

    // One layer of the drawing: a shape filled (and optionally outlined) with a colour or a
    // gradient in canvas coordinates.
    struct Layer
    {
        QPainterPath shape;
        std::optional<Gradient> gradient;
        QColor color;
        qreal outline = 0; // width of a round-joined outline in the same paint, 0 for none
        Qt::FillRule rule = Qt::WindingFill;
    };

    QColor rgb(int r, int g, int b, int a = 255) { return QColor(r, g, b, a); }

    const QRectF tileRect(64, 64, 896, 896);

    Gradient tileGradient()
    {
        return { tileRect.topLeft(), tileRect.bottomLeft(),
            { { 0.0, rgb(46, 196, 140) }, { 1.0, rgb(10, 120, 84) } } };
    }

    Gradient tileSheen()
    {
        return { tileRect.topLeft(), QPointF(tileRect.left(), tileRect.top() + 520),
            { { 0.0, rgb(255, 255, 255, 46) }, { 1.0, rgb(255, 255, 255, 0) } } };
    }

    QPainterPath ring(const QRectF& outer, qreal radius, qreal width)
    {
        QPainterPath path = continuousRoundedRect(outer, radius);
        path.addPath(
            continuousRoundedRect(outer.adjusted(width, width, -width, -width), radius - width));
        path.setFillRule(Qt::OddEvenFill);
        return path;
    }

    // The battery's terminal: flat against the body, rounded on the outside.
    QPainterPath terminal(const QRectF& r, qreal radius)
    {
        QPainterPath path(r.topLeft());
        path.lineTo(r.right() - radius, r.top());
        path.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, 2 * radius), 90, -90);
        path.lineTo(r.right(), r.bottom() - radius);
        path.arcTo(QRectF(r.right() - 2 * radius, r.bottom() - 2 * radius, 2 * radius, 2 * radius),
            0, -90);
        path.lineTo(r.bottomLeft());
        path.closeSubpath();
        return path;
    }

    // `pixels` is the size the drawing is made for: below 32 pixels the walls get heavier, the
    // rim around the bolt thinner and the charge gives way, so battery and bolt still read.
    std::vector<Layer> layers(qreal pixels)
    {
        const bool small = pixels < 32;
        const QRectF body(150, 340, 640, 344);
        const qreal wall = small ? 100 : 62;
        const qreal gap = 34;
        const qreal rim = small ? 30 : 56;
        const QRectF charge = body.adjusted(wall + gap, wall + gap, -wall - gap, -wall - gap);
        const QPainterPath bolt
            = Symbols::path("bolt.fill", QRectF(body.center().x() - 210, 188, 420, 648));
        const Gradient gold { charge.topLeft(), charge.bottomLeft(),
            { { 0.0, rgb(250, 214, 110) }, { 1.0, rgb(233, 168, 52) } } };

        std::vector<Layer> result;
        QPainterPath tile = continuousRoundedRect(tileRect, 208);
        result.push_back({ tile, tileGradient(), {}, 0 });
        result.push_back({ tile, tileSheen(), {}, 0 });
        result.push_back(
            { ring(body, 110, wall), std::nullopt, rgb(255, 255, 255), 0, Qt::OddEvenFill });
        result.push_back({ terminal(QRectF(body.right() + 24, body.center().y() - 76, 56, 152), 28),
            std::nullopt, rgb(255, 255, 255), 0 });
        if (!small)
            result.push_back({ continuousRoundedRect(charge, 110 - wall - gap), gold, {}, 0 });
        // The bolt is cut free from the battery by a rim painted exactly like the tile.
        result.push_back({ bolt, tileGradient(), {}, rim });
        result.push_back({ bolt, tileSheen(), {}, rim });
        result.push_back({ bolt, std::nullopt, rgb(255, 255, 255), 0 });
        return result;
    }

    QBrush brushOf(const Layer& layer)
    {
        if (!layer.gradient)
            return layer.color;
        QLinearGradient g(layer.gradient->from, layer.gradient->to);
        for (const auto& [at, color] : layer.gradient->stops)
            g.setColorAt(at, color);
        return g;
    }

    // Hundredths of a unit are far below a pixel of the largest rendering.
    QByteArray number(qreal v) { return QByteArray::number(std::round(v * 100) / 100, 'g', 8); }

    QByteArray pathData(const QPainterPath& path)
    {
        QByteArray d;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            switch (e.type) {
            case QPainterPath::MoveToElement:
                if (!d.isEmpty())
                    d += "Z";
                d += "M" + number(e.x) + " " + number(e.y);
                break;
            case QPainterPath::LineToElement:
                d += "L" + number(e.x) + " " + number(e.y);
                break;
            case QPainterPath::CurveToElement: {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element end = path.elementAt(i + 2);
                d += "C" + number(e.x) + " " + number(e.y) + " " + number(c2.x) + " " + number(c2.y)
                    + " " + number(end.x) + " " + number(end.y);
                i += 2;
                break;
            }
            case QPainterPath::CurveToDataElement:
                break;
            }
        }
        return d + "Z";
    }

    QByteArray colorValue(const QColor& c) { return c.name(QColor::HexRgb).toLatin1(); }
    QByteArray opacityValue(const QColor& c) { return number(c.alphaF()); }

} // namespace

void paint(QPainter& painter, const QRectF& box)
{
    const qreal pixels = box.width() * painter.deviceTransform().m11();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / canvas, box.height() / canvas);
    for (Layer& layer : layers(pixels)) {
        layer.shape.setFillRule(layer.rule);
        const QBrush brush = brushOf(layer);
        painter.setPen(layer.outline > 0
                ? QPen(brush, layer.outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                : QPen(Qt::NoPen));
        painter.setBrush(brush);
        painter.drawPath(layer.shape);
    }
    painter.restore();
}

QImage image(int pixels)
{
    QImage result(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(painter, QRectF(0, 0, pixels, pixels));
    painter.end();
    return result;
}

QByteArray svg()
{
    QByteArray defs;
    QByteArray body;
    QList<QByteArray> gradients; // each gradient's stops and ends, defined once
    for (const Layer& layer : layers(canvas)) {
        QByteArray paint;
        if (layer.gradient) {
            QByteArray gradient = "gradientUnits=\"userSpaceOnUse\" x1=\""
                + number(layer.gradient->from.x()) + "\" y1=\"" + number(layer.gradient->from.y())
                + "\" x2=\"" + number(layer.gradient->to.x()) + "\" y2=\""
                + number(layer.gradient->to.y()) + "\">\n";
            for (const auto& [at, color] : layer.gradient->stops)
                gradient += "      <stop offset=\"" + number(at) + "\" stop-color=\""
                    + colorValue(color) + "\" stop-opacity=\"" + opacityValue(color) + "\"/>\n";
            qsizetype index = gradients.indexOf(gradient);
            if (index < 0) {
                gradients.append(gradient);
                index = gradients.size() - 1;
                defs += "    <linearGradient id=\"g" + QByteArray::number(index + 1) + "\" "
                    + gradient + "    </linearGradient>\n";
            }
            paint = "url(#g" + QByteArray::number(index + 1) + ")";
        } else {
            paint = colorValue(layer.color);
        }
        body += "  <path d=\"" + pathData(layer.shape) + "\" fill=\"" + paint + "\"";
        if (!layer.gradient && layer.color.alpha() < 255)
            body += " fill-opacity=\"" + opacityValue(layer.color) + "\"";
        if (layer.rule == Qt::OddEvenFill)
            body += " fill-rule=\"evenodd\"";
        if (layer.outline > 0)
            body += " stroke=\"" + paint + "\" stroke-width=\"" + number(layer.outline)
                + "\" stroke-linejoin=\"round\"";
        body += "/>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"1024\" "
           "height=\"1024\" "
           "viewBox=\"0 0 1024 1024\">\n"
           "  <defs>\n"
        + defs + "  </defs>\n" + body + "</svg>\n";
}

} // namespace wattlet::AppIcon
