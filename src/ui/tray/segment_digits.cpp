#include "segment_digits.h"

#include <QPainterPathStroker>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

namespace wattlet {

namespace {

    // The seven strokes: top, upper left, upper right, middle, lower left, lower right, bottom.
    enum Segment : unsigned {
        top = 1,
        upperLeft = 2,
        upperRight = 4,
        middle = 8,
        lowerLeft = 16,
        lowerRight = 32,
        bottom = 64
    };

    constexpr std::array<unsigned, 10> segments { {
        top | upperLeft | upperRight | lowerLeft | lowerRight | bottom,
        upperRight | lowerRight,
        top | upperRight | middle | lowerLeft | bottom,
        top | upperRight | middle | lowerRight | bottom,
        upperLeft | upperRight | middle | lowerRight,
        top | upperLeft | middle | lowerRight | bottom,
        top | upperLeft | middle | lowerLeft | lowerRight | bottom,
        top | upperRight | lowerRight,
        top | upperLeft | upperRight | middle | lowerLeft | lowerRight | bottom,
        top | upperLeft | upperRight | middle | lowerRight | bottom,
    } };

    bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

qreal SegmentDigits::advance(std::string_view digits) const
{
    qreal total = 0;
    int count = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            continue;
        // A one is its stroke and a short flag.
        total += c == '1' ? std::round(stroke * 2) : width;
        ++count;
    }
    return count > 0 ? total + gap * (count - 1) : 0;
}

QPainterPath SegmentDigits::path(std::string_view digits, QPointF origin) const
{
    const qreal half = stroke / 2;
    // The middle stroke sits on whole pixels too; a leftover pixel goes to the lower half.
    const qreal middleY = std::floor((height - stroke) / 2) + half;
    QPainterPath lines;
    // Square caps reach past a slanted stroke's end; each digit keeps to its box.
    QPainterPath boxes;
    qreal x = origin.x();
    const qreal y0 = origin.y() + half;
    const qreal ym = origin.y() + middleY;
    const qreal y1 = origin.y() + height - half;
    for (const char c : digits) {
        if (!isDigit(c))
            continue;
        if (c == '1') {
            boxes.addRect(QRectF(x, origin.y(), std::round(stroke * 2), height));
            const qreal right = x + std::round(stroke * 2) - half;
            lines.moveTo(x + half, y0 + stroke);
            lines.lineTo(right, y0);
            lines.lineTo(right, y1);
            x += std::round(stroke * 2) + gap;
            continue;
        }
        boxes.addRect(QRectF(x, origin.y(), width, height));
        const unsigned on = segments[size_t(c - '0')];
        const qreal left = x + half;
        const qreal right = x + width - half;
        const std::array<std::tuple<unsigned, QPointF, QPointF>, 7> strokes { {
            { top, { left, y0 }, { right, y0 } },
            { middle, { left, ym }, { right, ym } },
            { bottom, { left, y1 }, { right, y1 } },
            { upperLeft, { left, y0 }, { left, ym } },
            { lowerLeft, { left, ym }, { left, y1 } },
            { upperRight, { right, y0 }, { right, ym } },
            { lowerRight, { right, ym }, { right, y1 } },
        } };
        for (const auto& [segment, from, to] : strokes) {
            if (on & segment) {
                lines.moveTo(from);
                lines.lineTo(to);
            }
        }
        x += width + gap;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(stroke);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(lines).simplified().intersected(boxes);
}

} // namespace wattlet
