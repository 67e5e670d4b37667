#pragma once

#include "platform/color_scheme.h"

#include <QColor>
#include <QPalette>
#include <QString>

#include <optional>

namespace wattlet {

/// How a tray item is inked: the colour of monochrome shapes, and an outline around every shape
/// in a contrasting colour when nothing tells what the panel behind is painted in (an invalid
/// `outline` draws none).
struct TrayInk
{
    QColor foreground;
    QColor outline;

    bool operator==(const TrayInk&) const = default;
};

/// Whether the panel behind the tray is dark or light, or nobody says.
enum class PanelShade { unknown, dark, light };

/// What is known about the panel behind the tray.
struct TrayPanelHints
{
    /// The colour measured behind the tray on the screen; invalid when it could not be.
    QColor measured;
    /// The desktop's colour-scheme preference.
    SchemePreference scheme = SchemePreference::none;
    /// XDG_CURRENT_DESKTOP, a list such as "ubuntu:GNOME".
    QString desktop;
    /// GTK_THEME, such as "Adwaita:dark".
    QString gtkTheme;
    /// The window lightness (0–255) of a palette the desktop gave the program; absent when the
    /// palette is Qt's own and says nothing about the desktop.
    std::optional<int> desktopPaletteLightness;
};

/// The first hint that speaks: the measured colour, the portal's preference, GNOME (whose top
/// bar is always dark), a GTK_THEME ending in ":dark" or "-dark", the desktop's palette (dark
/// below lightness 128); unknown when none does.
[[nodiscard]] PanelShade trayPanelShade(const TrayPanelHints& hints);

/// Near-white on a dark panel; on a light one the palette's window text, or near-black when that
/// is light as well; near-white with a dark outline when the shade is unknown, which shows on
/// dark and light panels alike.
[[nodiscard]] TrayInk trayInk(PanelShade shade, const QPalette& palette);

} // namespace wattlet
