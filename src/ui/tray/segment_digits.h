#pragma once

#include <QPainterPath>
#include <QPointF>

#include <string_view>

namespace wattlet {

/// Digits of squared strokes, like a clock display: crisp and readable at 9 to 20 pixels tall,
/// where a font's outlines blur. Strokes land on whole pixels when the origin, the height and
/// the stroke width are whole numbers.
struct SegmentDigits
{
    /// Digit height and stroke width, in pixels.
    qreal height = 12;
    qreal stroke = 2;
    /// The width of a digit other than 1 (which is narrower), in pixels.
    qreal width = 7;
    /// The space between two digits, in pixels.
    qreal gap = 2;

    /// The width of `digits` laid out side by side, gaps included; characters other than
    /// 0–9 are skipped.
    [[nodiscard]] qreal advance(std::string_view digits) const;
    /// The filled outline of `digits` with its top-left corner at `origin`.
    [[nodiscard]] QPainterPath path(std::string_view digits, QPointF origin) const;
};

} // namespace wattlet
