#include "click_point.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <algorithm>

namespace wattlet {

std::optional<QPoint> clickPoint(int x, int y)
{
    if (x == 0 && y == 0)
        return std::nullopt;
    QRect screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens |= screen->geometry();
    if (screens.isEmpty())
        return std::nullopt;
    return QPoint(std::clamp(x, screens.left(), screens.right()),
        std::clamp(y, screens.top(), screens.bottom()));
}

} // namespace wattlet
