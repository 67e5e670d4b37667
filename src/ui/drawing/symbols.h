#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QSize>

#include <string_view>

class QPainter;

/// Our own vector symbols, one drawing per symbol name the interface uses ("bolt.fill",
/// "battery.50percent", …). Every symbol is a single filled shape tinted by the colour it is drawn
/// in. Sizes follow the text they sit beside: at font size S most symbols are about 1.05 S tall,
/// batteries about 1.9 S wide. Strokes get heavier with the weight, like the font's.
/// Main thread only (drawings are built once and cached).
namespace wattlet::Symbols {

enum class Weight { regular, medium, semibold, bold };

/// True when `name` has a drawing.
[[nodiscard]] bool has(std::string_view name);

/// The symbol's natural size beside text of `fontSize` (points); empty for an unknown name.
[[nodiscard]] QSizeF size(std::string_view name, qreal fontSize);

/// The symbol's outline scaled uniformly to fit `box` and centred in it; empty for an unknown
/// name or an empty box.
[[nodiscard]] QPainterPath path(
    std::string_view name, const QRectF& box, Weight weight = Weight::regular);

/// Fills the symbol, fitted to `box`, in `color`; `mirrored` turns it around its vertical axis
/// (a chevron or arrow in a right-to-left panel). An unknown name draws nothing.
void paint(QPainter& painter, const QRectF& box, std::string_view name, const QColor& color,
    Weight weight = Weight::regular, bool mirrored = false);

/// The symbol fitted into a transparent square of `logicalSize` points at device pixel ratio
/// `dpr` (for icons: 16–48 points, ratio 1 or 2). An unknown name gives a transparent pixmap.
[[nodiscard]] QPixmap pixmap(std::string_view name, const QColor& color, int logicalSize, qreal dpr,
    Weight weight = Weight::regular);

} // namespace wattlet::Symbols
