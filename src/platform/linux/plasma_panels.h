#pragma once

#include "platform/window_system.h"

#include <QString>

#include <vector>

namespace wattlet {

/// Plasma's panels from the texts of its two settings files: `applets`
/// (plasma-org.kde.plasma.desktop-appletsrc: each panel's edge) and `shell` (plasmashellrc: its
/// thickness, 44 when unset, and whether it floats, which draws it 8 px off the edge inside a
/// window 16 px thicker). Panels at no edge, or with a thickness out of 1…1000, are left out.
[[nodiscard]] std::vector<WindowSystem::ScreenBar> plasmaPanels(
    const QString& applets, const QString& shell);

} // namespace wattlet
