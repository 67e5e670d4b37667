#pragma once

#include <QImage>

class QWidget;

namespace wattlet {

/// Polishes `widget`, resizes it to its size hint and lays it out, as showing it would.
void fitToContent(QWidget& widget);

/// Renders `widget` off-screen at its size hint with `scale` device pixels per point: polished,
/// laid out, resized, children drawn, no window background. A null image when the widget has no
/// area.
[[nodiscard]] QImage renderImage(QWidget& widget, qreal scale);

/// The same at the size `widget` already has (polished and laid out, not resized).
[[nodiscard]] QImage renderAtCurrentSize(QWidget& widget, qreal scale);

} // namespace wattlet
