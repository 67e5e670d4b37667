#include "tray_ink.h"

namespace wattlet {

namespace {

    const QColor onDarkPanel(242, 242, 242);
    const QColor onLightPanel(30, 30, 30);
    const QColor outlineOnUnknown(0, 0, 0, 230);
    constexpr int darkBelowLightness = 128;

    PanelShade shadeOf(int lightness)
    {
        return lightness < darkBelowLightness ? PanelShade::dark : PanelShade::light;
    }

} // namespace

PanelShade trayPanelShade(const TrayPanelHints& hints)
{
    if (hints.measured.isValid())
        return shadeOf(hints.measured.lightness());
    if (hints.scheme == SchemePreference::dark)
        return PanelShade::dark;
    if (hints.scheme == SchemePreference::light)
        return PanelShade::light;
    if (hints.desktop.split(QLatin1Char(':')).contains(QStringLiteral("GNOME"), Qt::CaseInsensitive)
        || hints.gtkTheme.endsWith(QStringLiteral(":dark"), Qt::CaseInsensitive)
        || hints.gtkTheme.endsWith(QStringLiteral("-dark"), Qt::CaseInsensitive))
        return PanelShade::dark;
    if (hints.desktopPaletteLightness)
        return shadeOf(*hints.desktopPaletteLightness);
    return PanelShade::unknown;
}

TrayInk trayInk(PanelShade shade, const QPalette& palette)
{
    switch (shade) {
    case PanelShade::dark:
        return { onDarkPanel, {} };
    case PanelShade::light: {
        const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
        return { text.lightness() < darkBelowLightness ? text : onLightPanel, {} };
    }
    case PanelShade::unknown:
        break;
    }
    return { onDarkPanel, outlineOnUnknown };
}

} // namespace wattlet
