#include "panel_backdrop.h"

#include "platform/window_system.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QScreen>

#include <algorithm>
#include <array>

namespace wattlet {

std::optional<QRect> reservedBand(QRect geometry, QRect available, std::optional<QPoint> near)
{
    const std::array<QRect, 4> bands { {
        QRect(geometry.left(), geometry.top(), geometry.width(), available.top() - geometry.top()),
        QRect(geometry.left(), available.bottom() + 1, geometry.width(),
            geometry.bottom() - available.bottom()),
        QRect(
            geometry.left(), geometry.top(), available.left() - geometry.left(), geometry.height()),
        QRect(available.right() + 1, geometry.top(), geometry.right() - available.right(),
            geometry.height()),
    } };
    for (const QRect& band : bands) {
        if (!band.isEmpty() && (!near || band.contains(*near)))
            return band;
    }
    return std::nullopt;
}

QColor backdropColor(const QImage& picture)
{
    if (picture.isNull())
        return {};
    std::array<int, 256> counts {};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[size_t(QColor(line[x]).lightness())];
    }
    const qint64 half = qint64(rgb.width()) * rgb.height() / 2;
    qint64 seen = 0;
    for (int lightness = 0; lightness < 256; ++lightness) {
        seen += counts[size_t(lightness)];
        if (seen > half)
            return QColor::fromHsl(0, 0, lightness);
    }
    return QColor::fromHsl(0, 0, 255);
}

QColor screenBackdropColor(QRect area)
{
    if (!WindowSystem::screenReadable(
            QGuiApplication::platformName(), QProcessEnvironment::systemEnvironment()))
        return {};
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        return {};
    area &= screen->geometry();
    if (area.isEmpty())
        return {};
    // The screen's own coordinates: grabWindow(0, …) reads the screen, not the whole desktop.
    const QRect local = area.translated(-screen->geometry().topLeft());
    return backdropColor(
        screen->grabWindow(0, local.x(), local.y(), local.width(), local.height()).toImage());
}

QColor measuredPanelColor(std::optional<QPoint> near)
{
    QScreen* screen = near ? QGuiApplication::screenAt(*near) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    std::optional<QRect> band = reservedBand(screen->geometry(), screen->availableGeometry(), near);
    // A bar that reserves nothing (no window manager keeps a work area): a thin strip through
    // the click is mostly the bar, with a few icons on it. Kept to the chosen screen, so that a
    // click near its edge does not read the neighbouring one.
    if (!band && near)
        band = QRect(near->x() - 80, near->y() - 2, 160, 4) & screen->geometry();
    return band && !band->isEmpty() ? screenBackdropColor(*band) : QColor();
}

} // namespace wattlet
