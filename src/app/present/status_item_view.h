#pragma once

#include "core/battery_reading.h"

#include <optional>
#include <string>

namespace wattlet {

/// How the tray symbol is coloured: a monochrome template that follows the panel, or a fixed
/// red or orange for readings that need attention.
enum class StatusTint { monochrome, red, orange };

/// What the tray item shows: the battery symbol, its tint, the title beside the icon and the
/// tooltip. Texts are UTF-8 in the current language.
struct StatusItemView
{
    std::string symbol;
    StatusTint tint = StatusTint::monochrome;
    /// " 85%" when the percentage is shown, otherwise empty (never a lone space).
    std::string title;
    /// The multi-line summary, or the "noBattery" text without a reading.
    std::string tooltip;

    bool operator==(const StatusItemView&) const = default;
};

/// The tray item for `reading`: without one, "battery.0percent", monochrome, no title. The
/// tint follows the status dot: "red" gives red, "yellow" gives orange, anything else none.
[[nodiscard]] StatusItemView statusItemView(
    const std::optional<BatteryReading>& reading, bool showPercent);

} // namespace wattlet
