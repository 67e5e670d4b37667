#include "tray_icon.h"

#include "ui/drawing/symbols.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace wattlet {

namespace {

    // The red and orange the menu bar uses for alerts, bright enough for dark and light bars.
    const QColor alertRed(255, 59, 48);
    const QColor alertOrange(255, 149, 0);
    const QColor onDarkPanel(242, 242, 242);
    const QColor onLightPanel(30, 30, 30);
    constexpr int darkBelowLightness = 128;

    QImage transparentSquare(int sizePx)
    {
        QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }

} // namespace

bool trayPanelIsDark(
    const QString& desktop, SchemePreference scheme, const QString& gtkTheme, int windowLightness)
{
    return desktop.split(QLatin1Char(':')).contains(QStringLiteral("GNOME"), Qt::CaseInsensitive)
        || scheme == SchemePreference::dark
        || gtkTheme.endsWith(QStringLiteral(":dark"), Qt::CaseInsensitive)
        || gtkTheme.endsWith(QStringLiteral("-dark"), Qt::CaseInsensitive)
        || windowLightness < darkBelowLightness;
}

QColor trayForeground(bool panelIsDark, const QPalette& palette)
{
    if (panelIsDark)
        return onDarkPanel;
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    return text.lightness() < darkBelowLightness ? text : onLightPanel;
}

QColor trayTint(StatusTint tint, const QColor& foreground)
{
    switch (tint) {
    case StatusTint::red:
        return alertRed;
    case StatusTint::orange:
        return alertOrange;
    case StatusTint::monochrome:
        break;
    }
    return foreground;
}

const QList<int>& trayIconSizes()
{
    static const QList<int> sizes { 22, 32, 48, 44, 64, 96 };
    return sizes;
}

QImage trayIconImage(const StatusItemView& view, int sizePx, const QColor& foreground)
{
    QImage image = transparentSquare(sizePx);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A thin margin keeps the battery's ends clear of the panel's icon clipping.
    const qreal margin = sizePx / 22.0;
    Symbols::paint(painter, QRectF(margin, margin, sizePx - 2 * margin, sizePx - 2 * margin),
        view.symbol, trayTint(view.tint, foreground), Symbols::Weight::semibold);
    return image;
}

QImage trayPercentImage(const StatusItemView& view, int sizePx, const QColor& foreground)
{
    QString number = QString::fromStdString(view.title).trimmed();
    number.remove(QLatin1Char('%'));
    if (number.isEmpty())
        return trayIconImage(view, sizePx, foreground);

    QImage image = transparentSquare(sizePx);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = trayTint(view.tint, foreground);
    const QRectF textBox(0, 0, sizePx, sizePx * 0.72);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(6, int(textBox.height())));
    // Shrink until three digits fit the width.
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(number) > sizePx)
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(textBox, Qt::AlignCenter, number);

    const qreal barHeight = std::max<qreal>(2.0, sizePx * 0.16);
    const QRectF bar(sizePx * 0.08, sizePx - barHeight - sizePx * 0.06, sizePx * 0.84, barHeight);
    painter.setPen(Qt::NoPen);
    QColor track = color;
    track.setAlphaF(0.35f);
    painter.setBrush(track);
    painter.drawRoundedRect(bar, barHeight / 2, barHeight / 2);
    QRectF level = bar;
    level.setWidth(bar.width() * std::clamp(number.toInt(), 0, 100) / 100.0);
    painter.setBrush(color);
    painter.drawRoundedRect(level, barHeight / 2, barHeight / 2);
    return image;
}

} // namespace wattlet
