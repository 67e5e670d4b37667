#pragma once

#include "app/present/status_item_view.h"
#include "ui/desktop/linux/color_scheme_portal.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QString>

namespace wattlet {

/// Whether the panel that hosts the tray item is likely dark: on GNOME, whose top bar always is
/// (`desktop`, the XDG_CURRENT_DESKTOP list, names it), when the portal's `scheme` prefers dark,
/// when `gtkTheme` (GTK_THEME) ends in ":dark" or "-dark", or when the palette's window colour is
/// dark (`windowLightness`, 0–255, below 128).
[[nodiscard]] bool trayPanelIsDark(
    const QString& desktop, SchemePreference scheme, const QString& gtkTheme, int windowLightness);

/// The colour of a monochrome tray symbol: near-white on a dark panel, otherwise the palette's
/// window-text colour, or near-black when that is light as well.
[[nodiscard]] QColor trayForeground(bool panelIsDark, const QPalette& palette);

/// The symbol's colour: `foreground` for a monochrome view, else the tint.
[[nodiscard]] QColor trayTint(StatusTint tint, const QColor& foreground);

/// The item's symbol on a transparent square of `sizePx` pixels.
[[nodiscard]] QImage trayIconImage(
    const StatusItemView& view, int sizePx, const QColor& foreground);

/// The square sizes the item offers its host: 22, 32 and 48 px and their double-density forms.
[[nodiscard]] const QList<int>& trayIconSizes();

/// For trays that show no text beside icons: the title's number ("85" for " 85%") painted
/// large over the symbol, in the symbol's colour; the plain symbol when the title is empty.
[[nodiscard]] QImage trayPercentImage(
    const StatusItemView& view, int sizePx, const QColor& foreground);

} // namespace wattlet
