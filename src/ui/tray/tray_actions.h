#pragma once

#include "app/present/menu_view.h"

#include <QPoint>

#include <functional>
#include <optional>

namespace wattlet {

/// What the tray item asks of its owner. Every callback runs on the main thread.
struct TrayActions
{
    /// A primary (or middle) click; the screen point when the panel host told one.
    std::function<void(std::optional<QPoint> at)> activate;
    /// The menu rows as they are now, asked for every time the menu is about to show.
    std::function<MenuView()> menu;
    /// Carries out a chosen menu row.
    std::function<void(MenuAction)> run;
};

} // namespace wattlet
