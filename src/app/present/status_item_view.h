#pragma once

#include "app/prefs.h"
#include "core/battery_reading.h"
#include "core/language.h"
#include "core/peripheral.h"
#include "core/warning_levels.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wattlet {

/// How the tray symbol is coloured: a monochrome template that follows the panel, or a fixed
/// red or orange for readings that need attention.
enum class StatusTint { monochrome, red, orange };

/// What the tray item shows: the battery symbol, its tint, the percentage and the tooltip.
/// Texts are UTF-8.
struct StatusItemView
{
    std::string symbol;
    StatusTint tint = StatusTint::monochrome;
    /// On power: the symbol carries the bolt.
    bool onPower = false;
    /// The charge when the percentage is to be shown, else absent.
    std::optional<std::int64_t> percent;
    /// Where the user wants a shown percentage: as the host's label, in the icon, or chosen by
    /// the host.
    PercentStyle percentStyle = PercentStyle::automatic;
    /// " 85%" when the percentage is shown, otherwise empty (never a lone space).
    std::string title;
    /// The summary's first line ("85 % · charging"), or the "noBattery" text without a reading:
    /// hosts that show only a tooltip's title still say what matters.
    std::string toolTipTitle;
    /// The rest of the summary, one line each; empty without a reading.
    std::string toolTipBody;
    /// The title and the body in one text, for trays that show a single one.
    std::string toolTip;

    bool operator==(const StatusItemView&) const = default;
};

/// The tray item for `reading`: without one, "battery.0percent", monochrome, no percentage. The
/// tint follows the status dot at `levels`: "red" gives red, "yellow" gives orange, anything
/// else none. The tooltip, in `language`, lists the peripherals after the battery's lines.
[[nodiscard]] StatusItemView statusItemView(const std::optional<BatteryReading>& reading,
    bool showPercent, Language language, PercentStyle percentStyle = PercentStyle::automatic,
    const Peripherals& devices = {}, const WarningLevels& levels = {});

/// Where a shown percentage goes.
enum class PercentPlacement { none, label, icon };

/// None without a percentage; else as the user chose, and for the automatic style in the label
/// where the host draws labels beside icons (`hostDrawsLabels`), otherwise in the icon.
[[nodiscard]] PercentPlacement percentPlacement(const StatusItemView& view, bool hostDrawsLabels);

} // namespace wattlet
