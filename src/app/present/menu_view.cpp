#include "menu_view.h"

#include "page_parts.h"

#include "app/brand.h"
#include "core/battery_text.h"
#include "core/power_control_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace wattlet {

namespace {

    MenuRow separator()
    {
        MenuRow row;
        row.separator = true;
        return row;
    }

    MenuRow action(std::string title, MenuAction action, std::string shortcut, std::string symbol)
    {
        MenuRow row;
        row.title = std::move(title);
        row.action = action;
        row.shortcut = std::move(shortcut);
        row.symbol = std::move(symbol);
        return row;
    }

    std::string header(const BatteryReading& reading, Language language)
    {
        std::string text = BatteryText::percent(reading.percent, language) + " · "
            + BatteryText::state(reading, language);
        if (const auto time = BatteryText::timeLine(reading, language))
            text += " · " + *time;
        return text;
    }

    constexpr std::array<std::pair<MenuAction, const char*>, 3> profileActions { {
        { MenuAction::profilePowerSaver, "power-saver" },
        { MenuAction::profileBalanced, "balanced" },
        { MenuAction::profilePerformance, "performance" },
    } };

    void addProfiles(MenuView& view, const PowerProfilesState& profiles, Language language)
    {
        view.rows.push_back(separator());
        // The known profiles the daemon offers, as choices; a row's id is its action.
        for (const auto& [rowAction, profile] : profileActions) {
            if (std::find(profiles.profiles.begin(), profiles.profiles.end(), profile)
                == profiles.profiles.end())
                continue;
            MenuRow row
                = action(BatteryText::profileName(profile, language, false), rowAction, {}, {});
            row.checked = profiles.active == profile;
            view.rows.push_back(std::move(row));
        }
        // A menu row has one line.
        std::string note = BatteryText::profileNote(profiles, language);
        for (auto at = note.find('\n'); at != std::string::npos; at = note.find('\n', at))
            note.replace(at, 1, "; ");
        if (!note.empty()) {
            MenuRow row = action(std::move(note), MenuAction::profileNote, {}, {});
            row.enabled = false;
            view.rows.push_back(std::move(row));
        }
    }

} // namespace

std::optional<std::string> menuProfile(MenuAction action)
{
    for (const auto& [rowAction, profile] : profileActions) {
        if (rowAction == action)
            return profile;
    }
    return std::nullopt;
}

MenuView menuView(const std::optional<BatteryReading>& reading, Language language,
    bool powerSettings, const std::optional<PowerProfilesState>& profiles)
{
    const PageParts::Texts t { language };
    MenuView view;
    if (reading) {
        MenuRow row;
        row.title = header(*reading, language);
        row.enabled = false;
        view.rows.push_back(std::move(row));
        view.rows.push_back(separator());
    }
    view.rows.push_back(action(t("act.panel"), MenuAction::openPanel, {}, "battery.100percent"));
    if (powerSettings) {
        view.rows.push_back(action(t("act.power"), MenuAction::openPower, ",", "gearshape"));
    }
    view.rows.push_back(action(t("act.copy"), MenuAction::copySummary, "c", "doc.on.doc"));
    if (profiles)
        addProfiles(view, *profiles, language);
    view.rows.push_back(separator());
    view.rows.push_back(action(Brand::line().toStdString(), MenuAction::openSite, {}, "safari"));
    view.rows.push_back(separator());
    view.rows.push_back(action(t("act.quit"), MenuAction::quit, "q", {}));
    return view;
}

} // namespace wattlet
