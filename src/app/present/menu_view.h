#pragma once

#include "core/battery_reading.h"
#include "core/language.h"
#include "core/power_profiles_state.h"

#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// What a menu row does when chosen.
enum class MenuAction {
    none,
    openPanel,
    openPower,
    copySummary,
    openSite,
    quit,
    profilePowerSaver,
    profileBalanced,
    profilePerformance,
    profileNote,
};

/// One row of the tray menu. Separators carry nothing else; a row without an action is a
/// disabled header.
struct MenuRow
{
    bool separator = false;
    std::string title;
    MenuAction action = MenuAction::none;
    /// The key pressed with the desktop's command modifier (Ctrl), such as "q"; empty for none.
    std::string shortcut;
    /// The symbol name shown beside the title; empty for none.
    std::string symbol;
    bool enabled = true;
    /// A choice among several (the power mode): whether it is the chosen one; absent for rows
    /// that are no choice.
    std::optional<bool> checked;

    bool operator==(const MenuRow&) const = default;
};

/// The tray menu, built afresh whenever it is about to show.
struct MenuView
{
    std::vector<MenuRow> rows;

    bool operator==(const MenuView&) const = default;
};

/// The rows for `reading`: with a reading, a disabled header ("85 % · charging · full in
/// 1 h 5 min") and a separator; then open panel, power settings (","; only with
/// `powerSettings`, when a tool can open them), copy summary ("c"), a separator, the brand
/// line, a separator and quit ("q"); in `language`. With `profiles`, the power modes the daemon
/// offers follow copy summary after a separator, as choices, with a disabled note when
/// performance is reduced or a program holds the mode.
[[nodiscard]] MenuView menuView(const std::optional<BatteryReading>& reading, Language language,
    bool powerSettings = true, const std::optional<PowerProfilesState>& profiles = std::nullopt);

/// The profile a power-mode row chooses ("balanced"); absent for other rows.
[[nodiscard]] std::optional<std::string> menuProfile(MenuAction action);

} // namespace wattlet
