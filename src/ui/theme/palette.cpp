#include "palette.h"

namespace wattlet::Palette {

QColor malachite()
{
    static const QColor c = QColor::fromRgbF(0.07f, 0.62f, 0.43f);
    return c;
}

QColor gold()
{
    static const QColor c = QColor::fromRgbF(0.93f, 0.74f, 0.27f);
    return c;
}

QColor blue()
{
    static const QColor c = QColor::fromRgbF(0.26f, 0.52f, 0.96f);
    return c;
}

QColor yellow()
{
    static const QColor c = QColor::fromRgbF(0.96f, 0.70f, 0.13f);
    return c;
}

QColor red()
{
    static const QColor c = QColor::fromRgbF(0.92f, 0.27f, 0.27f);
    return c;
}

QColor color(std::string_view tone)
{
    if (tone == "red")
        return red();
    if (tone == "yellow")
        return yellow();
    if (tone == "blue")
        return blue();
    if (tone == "gold")
        return gold();
    return malachite();
}

} // namespace wattlet::Palette
