#include "app/demo.h"
#include "app/present/main_page_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

#include <limits>

namespace wattlet {
namespace {

    using test::ScopedLanguage;

    const std::vector<double> twoValues { 50.0, 48.0 };

    TEST(MainPageView, NoReadingShowsOnlyTheNotice)
    {
        for (const auto& [lang, notice] :
            { std::pair { "en", "No battery" }, std::pair { "ru", "Батареи нет" } }) {
            ScopedLanguage language(lang);
            const MainPageView v = mainPageView(std::nullopt, twoValues, -3);
            EXPECT_EQ(v.notice, notice);
            EXPECT_EQ(v.noticeSymbol, "battery.0percent");
            EXPECT_TRUE(v.details.empty());
            EXPECT_TRUE(v.chart.values.empty());
        }
    }

    TEST(MainPageView, ChargingReadingInBothLanguages)
    {
        struct Case
        {
            const char* lang;
            std::array<const char*, 9> texts;
        };
        for (const Case& c : {
                 Case { "en",
                     { "charging", "full in 1 h 14 min", "+75 W", "96 W · USB-C charger",
                         "normal charging", "8393 / 8579 mAh", "LAST 24 H", "−12 % last hour",
                         "Copy summary" } },
                 Case { "ru",
                     { "заряжается", "до полной 1 ч 14 мин", "+75 Вт", "96 Вт · USB-C charger",
                         "обычная зарядка", "8393 / 8579 мА·ч", "ЗА СУТКИ", "−12 % за час",
                         "Скопировать сводку" } },
             }) {
            SCOPED_TRACE(c.lang);
            ScopedLanguage language(c.lang);
            const MainPageView v = mainPageView(Demo::reading("charging", 0), twoValues, -12);
            EXPECT_FALSE(v.notice);
            EXPECT_EQ(v.hero.percent, 48);
            EXPECT_EQ(v.hero.tone, "blue");
            EXPECT_TRUE(v.hero.bolt);
            EXPECT_EQ(v.hero.state, c.texts[0]);
            EXPECT_EQ(v.hero.timeLine, c.texts[1]);
            EXPECT_EQ(v.hero.timeSymbol, "clock.arrow.circlepath");
            EXPECT_EQ(v.tiles[0].value, c.texts[2]);
            ASSERT_EQ(v.details.size(), 4U);
            EXPECT_EQ(v.details[0].v, c.texts[3]);
            EXPECT_EQ(v.details[1].v, c.texts[4]);
            EXPECT_EQ(v.details[2].v, c.texts[5]);
            EXPECT_EQ(v.chart.title, c.texts[6]);
            EXPECT_EQ(v.chart.delta, c.texts[7]);
            ASSERT_EQ(v.actions.size(), 2U);
            EXPECT_EQ(v.actions[0].kind, MainPageView::Action::Kind::openPower);
            EXPECT_EQ(v.actions[1].kind, MainPageView::Action::Kind::copySummary);
            EXPECT_EQ(v.actions[1].title, c.texts[8]);
            EXPECT_EQ(v.chart.tint, "blue");
            // Without a settings tool there is nothing for the power button to open.
            const MainPageView noTool = mainPageView(Demo::reading("charging", 0), {}, {}, false);
            ASSERT_EQ(noTool.actions.size(), 1U);
            EXPECT_EQ(noTool.actions[0].kind, MainPageView::Action::Kind::copySummary);
        }
    }

    TEST(MainPageView, AbsentValuesShowADashAndDropTheirRows)
    {
        ScopedLanguage language("en");
        BatteryReading r;
        r.percent = 80;
        r.onAC = true;
        const MainPageView v = mainPageView(r, {}, std::nullopt);
        for (const MainPageView::Tile& tile : v.tiles)
            EXPECT_EQ(tile.value, "—") << tile.symbol;
        EXPECT_EQ(v.tiles[1].tint, "gold");
        EXPECT_EQ(v.tiles[2].tint, "malachite");
        ASSERT_EQ(v.details.size(), 2U);
        EXPECT_EQ(v.details[0].v, "—");
        EXPECT_FALSE(v.hero.timeLine);
        r.adapterName = "Dock";
        EXPECT_EQ(mainPageView(r, {}, std::nullopt).details[0].v, "— · Dock");
    }

    TEST(MainPageView, PowerTileSignAndDigits)
    {
        ScopedLanguage language("en");
        struct Case
        {
            std::int64_t ma;
            std::int64_t mv;
            bool charging;
            const char* text;
        };
        for (const Case c : {
                 Case { -1180, 11691, false, "−14 W" },
                 Case { -50, 500, false, "0 W" },
                 Case { -5, 10000, false, "0 W" },
                 Case { -6, 10000, false, "−0.1 W" },
                 Case { -1000, 12000, true, "+12 W" },
                 Case { 994, 10000, false, "9.9 W" },
                 Case { 1040, 10000, false, "10 W" },
             }) {
            BatteryReading r;
            r.amperageMA = c.ma;
            r.voltageMV = c.mv;
            r.charging = c.charging;
            EXPECT_EQ(powerTileText(r), c.text) << c.ma << " mA";
        }
        BatteryReading noVoltage;
        noVoltage.amperageMA = 1000;
        EXPECT_EQ(powerTileText(noVoltage), "—");
    }

    TEST(MainPageView, TileTintsAtTheirThresholds)
    {
        ScopedLanguage language("en");
        struct Case
        {
            double temperatureC;
            std::int64_t fullCapacity;
            const char* temperatureTint;
            const char* healthTint;
            const char* healthText;
        };
        for (const Case c : { Case { 45.0, 80, "red", "malachite", "80 %" },
                 Case { 44.9, 79, "gold", "yellow", "79 %" } }) {
            SCOPED_TRACE(c.temperatureC);
            BatteryReading r = Demo::reading("battery", 0);
            r.temperatureC = c.temperatureC;
            r.designCapacity = 100;
            r.fullCapacity = c.fullCapacity;
            const MainPageView v = mainPageView(r, {}, std::nullopt);
            EXPECT_EQ(v.tiles[1].tint, c.temperatureTint);
            EXPECT_EQ(v.tiles[1].value, "45 °C");
            EXPECT_EQ(v.tiles[2].tint, c.healthTint);
            EXPECT_EQ(v.tiles[2].value, c.healthText);
        }
    }

    TEST(MainPageView, WarningRowsKeepTheirOrderAndOnlyCriticalAndHotAreHot)
    {
        ScopedLanguage language("en");
        BatteryReading low = Demo::reading("low", 0);
        low.fullCapacity = 6000;
        const MainPageView v = mainPageView(low, {}, std::nullopt);
        ASSERT_EQ(v.warnings.size(), 3U);
        EXPECT_EQ(v.warnings[0].text, "Critical: 9 % — plug in");
        EXPECT_TRUE(v.warnings[0].hot);
        EXPECT_TRUE(v.warnings[1].hot);
        EXPECT_EQ(v.warnings[2].text, "Battery health 70 % — time to think about a replacement");
        EXPECT_FALSE(v.warnings[2].hot);
        EXPECT_EQ(v.hero.tone, "red");
    }

    TEST(MainPageView, ModeFollowsChargingFullAndTheOptimizedBand)
    {
        ScopedLanguage language("en");
        struct Case
        {
            std::int64_t percent;
            bool charging;
            bool full;
            const char* mode;
        };
        for (const Case c : {
                 Case { 50, true, false, "normal charging" },
                 Case { 100, false, false, "charged — running on power" },
                 Case { 60, false, true, "charged — running on power" },
                 Case { 80, false, false, "optimized (holds ~80 %)" },
                 Case { 65, false, false, "not charging" },
             }) {
            BatteryReading r;
            r.onAC = true;
            r.percent = c.percent;
            r.charging = c.charging;
            r.full = c.full;
            const MainPageView v = mainPageView(r, {}, std::nullopt);
            ASSERT_GE(v.details.size(), 2U);
            EXPECT_EQ(v.details[1].v, c.mode) << c.percent;
        }
    }

    TEST(MainPageView, ChartNeedsTwoValuesForTheChartAndTheDelta)
    {
        ScopedLanguage language("en");
        const BatteryReading r = Demo::reading("battery", 0);
        for (const std::vector<double>& series :
            { std::vector<double> {}, std::vector<double> { 5 } }) {
            const MainPageView v = mainPageView(r, series, -3);
            EXPECT_TRUE(v.chart.empty);
            EXPECT_EQ(v.chart.emptyText, "History appears in a couple of minutes");
            EXPECT_FALSE(v.chart.delta);
            EXPECT_TRUE(v.chart.values.empty());
        }
        const MainPageView two = mainPageView(r, twoValues, -3);
        EXPECT_FALSE(two.chart.empty);
        EXPECT_EQ(two.chart.values, twoValues);
        EXPECT_EQ(two.chart.delta, "−3 % last hour");
        EXPECT_EQ(mainPageView(r, twoValues, 0).chart.delta, "+0 % last hour");
        EXPECT_EQ(mainPageView(r, twoValues, std::numeric_limits<std::int64_t>::min()).chart.delta,
            "−9223372036854775808 % last hour");
    }

} // namespace
} // namespace wattlet
