#include "app/present/menu_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    BatteryReading chargingReading()
    {
        BatteryReading reading;
        reading.percent = 85;
        reading.onAC = true;
        reading.charging = true;
        reading.minutesLeft = 65;
        return reading;
    }

    std::vector<std::string> titles(const MenuView& view)
    {
        std::vector<std::string> result;
        for (const MenuRow& row : view.rows)
            result.push_back(row.separator ? "---" : row.title);
        return result;
    }

} // namespace

TEST(MenuView, RowsInOrderWithTheHeaderOnlyForAReading)
{
    const test::ScopedLanguage english("en");
    EXPECT_EQ(titles(menuView(chargingReading())),
        (std::vector<std::string> { "85 % · charging · full in 1 h 5 min", "---", "Open panel",
            "Power", "Copy summary", "---", "by Morvane · morvane.dev", "---", "Quit" }));
    EXPECT_EQ(titles(menuView(std::nullopt)),
        (std::vector<std::string> { "Open panel", "Power", "Copy summary", "---",
            "by Morvane · morvane.dev", "---", "Quit" }));
}

TEST(MenuView, NoPowerRowWithoutASettingsTool)
{
    const test::ScopedLanguage english("en");
    EXPECT_EQ(titles(menuView(chargingReading(), false)),
        (std::vector<std::string> { "85 % · charging · full in 1 h 5 min", "---", "Open panel",
            "Copy summary", "---", "by Morvane · morvane.dev", "---", "Quit" }));
}

TEST(MenuView, FollowsTheLanguageButKeepsTheBrandLine)
{
    const test::ScopedLanguage russian("ru");
    EXPECT_EQ(titles(menuView(chargingReading())),
        (std::vector<std::string> { "85 % · заряжается · до полной 1 ч 5 мин", "---",
            "Открыть панель", "Питание", "Скопировать сводку", "---", "by Morvane · morvane.dev",
            "---", "Выйти" }));
}

TEST(MenuView, EachRowTriggersItsActionAndOnlyTheHeaderIsDisabled)
{
    std::vector<MenuAction> actions;
    for (const MenuRow& row : menuView(chargingReading()).rows) {
        if (row.separator)
            continue;
        actions.push_back(row.action);
        EXPECT_EQ(row.enabled, row.action != MenuAction::none) << row.title;
    }
    EXPECT_EQ(actions,
        (std::vector<MenuAction> { MenuAction::none, MenuAction::openPanel, MenuAction::openPower,
            MenuAction::copySummary, MenuAction::openSite, MenuAction::quit }));
}

} // namespace wattlet
