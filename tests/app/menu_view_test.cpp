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

TEST(MenuView, RowsInOrderWithHeaderSeparatorsAndBrand)
{
    const test::ScopedLanguage english("en");
    const MenuView view = menuView(chargingReading());
    EXPECT_EQ(titles(view),
        (std::vector<std::string> { "85 % · charging · full in 1 h 5 min", "---", "Open panel",
            "Power", "Copy summary", "---", "by Morvane · morvane.dev", "---", "Quit" }));

    const MenuRow& header = view.rows[0];
    EXPECT_FALSE(header.enabled);
    EXPECT_EQ(header.action, MenuAction::none);
    EXPECT_EQ(header.symbol, "");
    for (size_t i = 1; i < view.rows.size(); ++i)
        EXPECT_TRUE(view.rows[i].enabled) << i;
}

TEST(MenuView, ActionsShortcutsAndSymbols)
{
    const MenuView view = menuView(chargingReading());
    struct Expected
    {
        MenuAction action;
        const char* shortcut;
        const char* symbol;
    };
    const Expected expected[] = {
        { MenuAction::openPanel, "", "battery.100percent" },
        { MenuAction::openPower, ",", "gearshape" },
        { MenuAction::copySummary, "c", "doc.on.doc" },
        { MenuAction::openSite, "", "safari" },
        { MenuAction::quit, "q", "" },
    };
    std::vector<MenuRow> actions;
    for (const MenuRow& row : view.rows) {
        if (!row.separator && row.action != MenuAction::none)
            actions.push_back(row);
    }
    ASSERT_EQ(actions.size(), std::size(expected));
    for (size_t i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(actions[i].title);
        EXPECT_EQ(actions[i].action, expected[i].action);
        EXPECT_EQ(actions[i].shortcut, expected[i].shortcut);
        EXPECT_EQ(actions[i].symbol, expected[i].symbol);
    }
}

TEST(MenuView, NoHeaderWithoutAReading)
{
    const test::ScopedLanguage english("en");
    const MenuView view = menuView(std::nullopt);
    EXPECT_EQ(titles(view),
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

} // namespace wattlet
