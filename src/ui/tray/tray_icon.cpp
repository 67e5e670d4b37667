#include "tray_icon.h"

#include "segment_digits.h"

#include "ui/drawing/symbols.h"
#include "ui/theme/palette.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace wattlet {

namespace {

    // The orange the menu bar uses for alerts, bright enough for dark and light bars.
    const QColor alertOrange(255, 149, 0);

    QImage transparentSquare(int sizePx)
    {
        QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }

    /// `layer` over a copy of itself in `ink.outline`, spread by about a pixel per 22, so the
    /// shapes stand out on light and dark panels alike.
    QImage outlined(const QImage& layer, const TrayInk& ink)
    {
        if (!ink.outline.isValid())
            return layer;
        // The spread is drawn opaque and then laid down once at the outline's opacity, so its
        // overlapping copies do not add up.
        QImage halo = layer;
        {
            QPainter tint(&halo);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            QColor solid = ink.outline;
            solid.setAlpha(255);
            tint.fillRect(halo.rect(), solid);
        }
        const int reach = std::max(1, int(std::lround(layer.width() / 22.0)));
        QImage spread = transparentSquare(layer.width());
        {
            QPainter painter(&spread);
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    // A round pen: the corners of the square reach are left out.
                    if (dx * dx + dy * dy <= reach * reach + reach)
                        painter.drawImage(QPoint(dx, dy), halo);
                }
            }
        }
        QImage result = transparentSquare(layer.width());
        QPainter painter(&result);
        painter.setOpacity(ink.outline.alphaF());
        painter.drawImage(QPoint(0, 0), spread);
        painter.setOpacity(1);
        painter.drawImage(QPoint(0, 0), layer);
        return result;
    }

    /// The flat battery of the percentage icon: outline, nub and level, `box` in pixels.
    void paintStrip(QPainter& painter, const QRect& box, qreal fraction, qreal unit)
    {
        const int line = std::max(1, int(std::lround(unit)));
        const int nubWidth = std::max(1, int(std::lround(1.5 * unit)));
        const QRect body(box.left(), box.top(), box.width() - nubWidth, box.height());
        QPainterPath shape;
        shape.addRect(body);
        shape.addRect(body.adjusted(line, line, -line, -line));
        const int nubHeight = std::max(1, box.height() - 4 * line);
        shape.addRect(QRect(
            body.right() + 1, box.top() + (box.height() - nubHeight) / 2, nubWidth, nubHeight));
        const QRect inside = body.adjusted(2 * line, 2 * line, -2 * line, -2 * line);
        if (fraction > 0 && !inside.isEmpty()) {
            const int level = std::max(1, int(std::lround(inside.width() * fraction)));
            shape.addRect(QRect(inside.topLeft(), QSize(level, inside.height())));
        }
        shape.setFillRule(Qt::OddEvenFill);
        painter.fillPath(shape, painter.brush());
    }

    /// The bolt beside the strip, as tall as the strip and the space above it.
    QRectF boltBox(const QRect& strip, int space)
    {
        const qreal height = strip.height() + space;
        return { qreal(strip.left()), qreal(strip.top() - space), std::round(height * 0.62),
            height };
    }

    /// Where the percentage icon's parts go on a square of `sizePx`: the digits of `number`,
    /// the flat battery below them and the bolt beside it on power.
    struct PercentIconLayout
    {
        SegmentDigits digits;
        QPointF digitsAt;
        QRect strip;
        std::optional<QRectF> bolt;
        /// A pixel per 22 of the square: the strokes' measure.
        qreal unit = 1;
    };

    PercentIconLayout percentIconLayout(
        const std::string& number, int sizePx, bool onPower, bool outlined)
    {
        PercentIconLayout layout;
        layout.unit = sizePx / 22.0;
        const qreal unit = layout.unit;
        const int margin = std::max(1, int(std::lround(unit)));
        SegmentDigits& digits = layout.digits;
        digits.stroke = std::max(1.0, std::round(2 * unit));
        digits.height = std::round(sizePx * 0.55);
        // An outline needs room between strokes, or neighbouring digits run together.
        const qreal outline = outlined ? std::max(1.0, std::round(unit)) : 0;
        digits.width = std::round(digits.height * 0.58) + outline;
        digits.gap = std::max(1.0, std::round(digits.stroke * 0.75)) + outline;
        // Three digits are narrower, so they still fit the square.
        while (digits.advance(number) > sizePx - 2 * margin && digits.width > 2 * digits.stroke + 1)
            digits.width -= 1;
        const int stripHeight = int(std::lround(sizePx * 0.3));
        const int space = int(std::lround(2 * unit));
        const int top = (sizePx - int(digits.height) - space - stripHeight) / 2;
        layout.digitsAt = QPointF(std::round((sizePx - digits.advance(number)) / 2), top);
        layout.strip
            = QRect(margin, top + int(digits.height) + space, sizePx - 2 * margin, stripHeight);
        if (onPower) {
            layout.bolt = boltBox(layout.strip, space);
            layout.strip.setLeft(int(layout.bolt->right()) + margin);
        }
        return layout;
    }

} // namespace

QColor trayTint(StatusTint tint, const QColor& foreground)
{
    switch (tint) {
    case StatusTint::red:
        return Palette::red();
    case StatusTint::orange:
        return alertOrange;
    case StatusTint::monochrome:
        break;
    }
    return foreground;
}

const QList<int>& trayIconSizes()
{
    static const QList<int> sizes { 16, 20, 22, 24, 32, 44, 48, 64, 96 };
    return sizes;
}

QImage trayIconImage(const StatusItemView& view, int sizePx, const TrayInk& ink)
{
    QImage image = transparentSquare(sizePx);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // A thin margin keeps the battery's ends clear of the panel's icon clipping.
        const qreal margin = sizePx / 22.0;
        Symbols::paint(painter, QRectF(margin, margin, sizePx - 2 * margin, sizePx - 2 * margin),
            view.symbol, trayTint(view.tint, ink.foreground), Symbols::Weight::semibold);
    }
    return outlined(image, ink);
}

QImage trayPercentImage(const StatusItemView& view, int sizePx, const TrayInk& ink)
{
    if (!view.percent)
        return trayIconImage(view, sizePx, ink);
    const std::int64_t percent = std::clamp<std::int64_t>(*view.percent, 0, 100);
    const std::string number = std::to_string(percent);
    const PercentIconLayout layout
        = percentIconLayout(number, sizePx, view.onPower, ink.outline.isValid());
    QImage image = transparentSquare(sizePx);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(trayTint(view.tint, ink.foreground));
        painter.fillPath(layout.digits.path(number, layout.digitsAt), painter.brush());
        if (layout.bolt)
            painter.fillPath(Symbols::path("bolt.fill", *layout.bolt), painter.brush());
        paintStrip(painter, layout.strip, double(percent) / 100.0, layout.unit);
    }
    return outlined(image, ink);
}

QImage trayLabelImage(const StatusItemView& view, int sizePx, const TrayInk& ink)
{
    if (!view.percent)
        return trayIconImage(view, sizePx, ink);
    const qreal fraction = double(std::clamp<std::int64_t>(*view.percent, 0, 100)) / 100.0;
    const int margin = std::max(1, int(std::lround(sizePx / 22.0)));
    const int line = std::max(1, int(std::lround(sizePx / 14.0)));
    const int nubHeight = std::max(1, int(std::lround(sizePx / 10.0)));
    const int height = sizePx - 2 * margin - nubHeight;
    // The host's own battery is upright and about half as wide as tall.
    const int width = std::max(3 * line + 2, int(std::lround(height * 0.58)));
    const QRect body((sizePx - width) / 2, margin + nubHeight, width, height);
    int nubWidth = std::max(line, width / 2);
    // Centred on whole pixels.
    nubWidth += (width - nubWidth) % 2;
    QPainterPath shape;
    shape.addRect(body);
    shape.addRect(body.adjusted(line, line, -line, -line));
    shape.addRect(QRect(body.left() + (width - nubWidth) / 2, margin, nubWidth, nubHeight));
    const QRect inside = body.adjusted(2 * line, 2 * line, -2 * line, -2 * line);
    if (fraction > 0 && !inside.isEmpty()) {
        const int level = std::max(1, int(std::lround(inside.height() * fraction)));
        shape.addRect(QRect(inside.left(), inside.bottom() + 1 - level, inside.width(), level));
    }
    shape.setFillRule(Qt::OddEvenFill);

    QImage image = transparentSquare(sizePx);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor tint = trayTint(view.tint, ink.foreground);
        painter.fillPath(shape, tint);
        if (view.onPower) {
            // The bolt across the battery, cut clear of the level around it.
            const qreal boltHeight = body.height() * 0.8;
            const QRectF boltBox(body.center().x() + 0.5 - boltHeight * 0.32,
                body.center().y() + 0.5 - boltHeight / 2, boltHeight * 0.64, boltHeight);
            const QPainterPath bolt = Symbols::path("bolt.fill", boltBox);
            painter.setCompositionMode(QPainter::CompositionMode_Clear);
            painter.strokePath(bolt, QPen(Qt::black, 2 * line));
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.fillPath(bolt, tint);
        }
    }
    return outlined(image, ink);
}

} // namespace wattlet
