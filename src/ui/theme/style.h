#pragma once

#include "ui/drawing/symbols.h"

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

/// Fonts, cards and measures shared by the panel's widgets. Sizes are layout points: one point is
/// one device-independent pixel, whatever the desktop's font DPI.
namespace wattlet::Style {

enum class TextWeight { regular, medium, semibold, bold };

/// The panel's width and the padding of its pages.
constexpr int panelWidth = 344;
constexpr int pagePadding = 16;
/// Room for a page's content between its paddings.
constexpr int contentWidth = panelWidth - 2 * pagePadding;
/// Spacing between neighbours where a layout names none.
constexpr int defaultSpacing = 8;
/// Space between a symbol and its title in an icon-and-title label.
constexpr qreal labelSpacing = 6;
/// The height and corner radius of the segmented control and the stepper, so that they sit
/// well on one page.
constexpr int controlHeight = 22;
constexpr qreal controlRadius = 6;

/// The application's font family at `size` points and `weight`. `rounded` asks for the rounded
/// design; no rounded family ships with the desktops we target, so it keeps the system family
/// (whose digits, like those of DejaVu Sans and Noto Sans, are already of equal width).
[[nodiscard]] QFont font(qreal size, TextWeight weight = TextWeight::regular, bool rounded = false);

/// The size of `font` in layout points (the inverse of `font`'s conversion).
[[nodiscard]] qreal layoutSize(const QFont& font);

/// The symbol weight that matches text of `weight`.
[[nodiscard]] Symbols::Weight symbolWeight(TextWeight weight);

/// Fills `rect` as a card: a rounded rectangle with continuous corners of `radius`.
void paintCard(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill);

/// Outlines `rect` (inset by the pen's half width) as the keyboard focus: a 2-point ring in the
/// accent blue with continuous corners of `radius`.
void paintFocusRing(QPainter& painter, const QRectF& rect, qreal radius);

/// `color` with its opacity multiplied by `percent` / 100.
[[nodiscard]] QColor withOpacity(QColor color, qreal percent);

} // namespace wattlet::Style
