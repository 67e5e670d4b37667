#include "style.h"

#include "palette.h"

#include "ui/drawing/continuous_corners.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

namespace wattlet::Style {

namespace {

    // Point sizes are converted with the screen's logical DPI so a layout point stays one
    // device-independent pixel, matching the fixed sizes of frames and paddings.
    qreal logicalDpi()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    }

} // namespace

QFont font(qreal size, TextWeight weight, bool /*rounded*/)
{
    QFont f = QApplication::font();
    f.setPointSizeF(size * 72.0 / logicalDpi());
    switch (weight) {
    case TextWeight::regular:
        f.setWeight(QFont::Normal);
        break;
    case TextWeight::medium:
        f.setWeight(QFont::Medium);
        break;
    case TextWeight::semibold:
        f.setWeight(QFont::DemiBold);
        break;
    case TextWeight::bold:
        f.setWeight(QFont::Bold);
        break;
    }
    return f;
}

qreal layoutSize(const QFont& font) { return font.pointSizeF() * logicalDpi() / 72.0; }

Symbols::Weight symbolWeight(TextWeight weight)
{
    switch (weight) {
    case TextWeight::regular:
        return Symbols::Weight::regular;
    case TextWeight::medium:
        return Symbols::Weight::medium;
    case TextWeight::semibold:
        return Symbols::Weight::semibold;
    case TextWeight::bold:
        return Symbols::Weight::bold;
    }
    return Symbols::Weight::regular;
}

void paintCard(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(rect, radius), fill);
    painter.restore();
}

void paintFocusRing(QPainter& painter, const QRectF& rect, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(withOpacity(Palette::blue(), 80), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(rect.adjusted(1, 1, -1, -1), radius));
    painter.restore();
}

QColor withOpacity(QColor color, qreal percent)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * percent / 100.0));
    return color;
}

} // namespace wattlet::Style
