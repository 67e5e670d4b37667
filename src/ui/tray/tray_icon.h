#pragma once

#include "app/present/status_item_view.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QString>

namespace wattlet {

/// The colour of a monochrome tray symbol: light on GNOME's dark top bar (`desktop`, the
/// value of XDG_CURRENT_DESKTOP, names GNOME), otherwise the palette's window-text colour.
[[nodiscard]] QColor trayForeground(const QString& desktop, const QPalette& palette);

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
