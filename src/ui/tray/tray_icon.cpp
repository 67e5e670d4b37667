#include "tray_icon.h"

#include "segment_digits.h"

#include "ui/drawing/symbols.h"
#include "ui/theme/palette.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
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
    const qreal unit = sizePx / 22.0;
    const int margin = std::max(1, int(std::lround(unit)));

    SegmentDigits digits;
    digits.stroke = std::max(1.0, std::round(2 * unit));
    digits.height = std::round(sizePx * 0.55);
    // An outline needs room between strokes, or neighbouring digits run together.
    const qreal outline = ink.outline.isValid() ? std::max(1.0, std::round(unit)) : 0;
    digits.width = std::round(digits.height * 0.58) + outline;
    digits.gap = std::max(1.0, std::round(digits.stroke * 0.75)) + outline;
    // Three digits are narrower, so they still fit the square.
    while (digits.advance(number) > sizePx - 2 * margin && digits.width > 2 * digits.stroke + 1)
        digits.width -= 1;
    const int stripHeight = int(std::lround(sizePx * 0.3));
    const int space = int(std::lround(2 * unit));
    const int top = (sizePx - int(digits.height) - space - stripHeight) / 2;

    QImage image = transparentSquare(sizePx);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(trayTint(view.tint, ink.foreground));
        const qreal left = std::round((sizePx - digits.advance(number)) / 2);
        painter.fillPath(digits.path(number, QPointF(left, top)), painter.brush());
        QRect strip(margin, top + int(digits.height) + space, sizePx - 2 * margin, stripHeight);
        if (view.onPower) {
            const QRectF bolt = boltBox(strip, space);
            painter.fillPath(Symbols::path("bolt.fill", bolt), painter.brush());
            strip.setLeft(int(bolt.right()) + std::max(1, int(std::lround(unit))));
        }
        paintStrip(painter, strip, double(percent) / 100.0, unit);
    }
    return outlined(image, ink);
}

} // namespace wattlet
