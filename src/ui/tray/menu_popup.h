#pragma once

#include "app/present/menu_view.h"

#include <functional>

class QMenu;

namespace wattlet {

/// Replaces the entries of `menu` with the rows of `view`; choosing one calls `run` with its
/// action. Shortcuts are shown with Ctrl and work while the menu is open; icons come from the
/// icon theme.
void fillMenu(QMenu& menu, const MenuView& view, const std::function<void(MenuAction)>& run);

} // namespace wattlet
