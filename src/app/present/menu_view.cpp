#include "menu_view.h"

#include "page_parts.h"

#include "app/brand.h"
#include "core/battery_text.h"

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
        std::string text
            = std::to_string(reading.percent) + " % · " + BatteryText::state(reading, language);
        if (const auto time = BatteryText::timeLine(reading, language))
            text += " · " + *time;
        return text;
    }

} // namespace

MenuView menuView(
    const std::optional<BatteryReading>& reading, Language language, bool powerSettings)
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
    view.rows.push_back(separator());
    view.rows.push_back(action(Brand::line().toStdString(), MenuAction::openSite, {}, "safari"));
    view.rows.push_back(separator());
    view.rows.push_back(action(t("act.quit"), MenuAction::quit, "q", {}));
    return view;
}

} // namespace wattlet
