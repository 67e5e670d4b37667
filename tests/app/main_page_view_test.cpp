#include "app/present/main_page_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

#include <limits>

namespace wattlet {
namespace {

    using test::ScopedLanguage;

    BatteryReading charging()
    {
        BatteryReading r;
        r.percent = 48;
        r.charging = true;
        r.onAC = true;
        r.minutesLeft = 74;
        r.amperageMA = 6393;
        r.voltageMV = 11691;
        r.adapterWatts = 96;
        r.adapterName = "USB-C charger";
        r.designCapacity = 8579;
        r.fullCapacity = 8393;
        r.remainingCapacity = 4030;
        r.cycles = 90;
        r.temperatureC = 37.0;
        return r;
    }

    BatteryReading onBattery()
    {
        BatteryReading r;
        r.percent = 64;
        r.minutesLeft = 312;
        r.amperageMA = -1180;
        r.voltageMV = 11691;
        r.designCapacity = 8579;
        r.fullCapacity = 8393;
        r.remainingCapacity = 5372;
        r.cycles = 90;
        r.temperatureC = 37.0;
        return r;
    }

    const std::vector<double> twoValues { 50.0, 48.0 };

    TEST(MainPageView, NoReadingShowsOnlyTheNotice)
    {
        for (const auto& [lang, notice] :
            { std::pair { "en", "No battery" }, std::pair { "ru", "Батареи нет" } }) {
            SCOPED_TRACE(lang);
            ScopedLanguage language(lang);
            const MainPageView v = mainPageView(std::nullopt, twoValues, -3);
            EXPECT_EQ(v.notice, notice);
            EXPECT_EQ(v.noticeSymbol, "battery.0percent");
            EXPECT_TRUE(v.warnings.empty());
            EXPECT_TRUE(v.details.empty());
            EXPECT_TRUE(v.chart.values.empty());
            EXPECT_EQ(v.actions[0].title, "");
        }
    }

    TEST(MainPageView, ChargingReadingInEnglish)
    {
        ScopedLanguage language("en");
        const MainPageView v = mainPageView(charging(), twoValues, -12);
        EXPECT_FALSE(v.notice);
        EXPECT_EQ(v.hero.percent, 48);
        EXPECT_EQ(v.hero.tone, "blue");
        EXPECT_EQ(v.hero.state, "charging");
        EXPECT_TRUE(v.hero.bolt);
        EXPECT_EQ(v.hero.timeLine, "full in 1 h 14 min");
        EXPECT_EQ(v.hero.timeSymbol, "clock.arrow.circlepath");
        EXPECT_TRUE(v.warnings.empty());

        ASSERT_EQ(v.tiles.size(), 4U);
        const std::vector<std::vector<std::string>> tiles {
            { "bolt.horizontal.fill", "Power", "+75 W", "blue" },
            { "thermometer.medium", "Temperature", "37 °C", "gold" },
            { "heart.fill", "Health", "98 %", "malachite" },
            { "arrow.triangle.2.circlepath", "Cycles", "90", "malachite" },
        };
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(v.tiles[i].symbol, tiles[i][0]);
            EXPECT_EQ(v.tiles[i].title, tiles[i][1]);
            EXPECT_EQ(v.tiles[i].value, tiles[i][2]);
            EXPECT_EQ(v.tiles[i].tint, tiles[i][3]);
        }

        ASSERT_EQ(v.details.size(), 4U);
        EXPECT_EQ(v.details[0].k, "Charger");
        EXPECT_EQ(v.details[0].v, "96 W · USB-C charger");
        EXPECT_EQ(v.details[1].k, "Mode");
        EXPECT_EQ(v.details[1].v, "normal charging");
        EXPECT_EQ(v.details[2].k, "Capacity");
        EXPECT_EQ(v.details[2].v, "8393 / 8579 mAh");
        EXPECT_EQ(v.details[3].k, "In battery");
        EXPECT_EQ(v.details[3].v, "4030 mAh");

        EXPECT_EQ(v.chart.title, "LAST 24 H");
        EXPECT_EQ(v.chart.delta, "−12 % last hour");
        EXPECT_EQ(v.chart.left, "24 h ago");
        EXPECT_EQ(v.chart.right, "now");
        EXPECT_EQ(v.chart.tint, "blue");
        EXPECT_EQ(v.actions[0].symbol, "gearshape.fill");
        EXPECT_EQ(v.actions[0].title, "Power");
        EXPECT_EQ(v.actions[1].symbol, "doc.on.doc");
        EXPECT_EQ(v.actions[1].title, "Copy summary");
    }

    TEST(MainPageView, ChargingReadingInRussian)
    {
        ScopedLanguage language("ru");
        const MainPageView v = mainPageView(charging(), twoValues, -12);
        EXPECT_EQ(v.hero.state, "заряжается");
        EXPECT_EQ(v.hero.timeLine, "до полной 1 ч 14 мин");
        EXPECT_EQ(v.tiles[0].title, "Мощность");
        EXPECT_EQ(v.tiles[0].value, "+75 Вт");
        EXPECT_EQ(v.details[0].v, "96 Вт · USB-C charger");
        EXPECT_EQ(v.details[1].v, "обычная зарядка");
        EXPECT_EQ(v.details[2].v, "8393 / 8579 мА·ч");
        EXPECT_EQ(v.chart.title, "ЗА СУТКИ");
        EXPECT_EQ(v.chart.delta, "−12 % за час");
        EXPECT_EQ(v.chart.left, "сутки назад");
        EXPECT_EQ(v.actions[1].title, "Скопировать сводку");
    }

    TEST(MainPageView, OnBatteryHasNoModeRowAndAPlainClock)
    {
        ScopedLanguage language("en");
        const MainPageView v = mainPageView(onBattery(), twoValues, std::nullopt);
        EXPECT_EQ(v.hero.tone, "malachite");
        EXPECT_FALSE(v.hero.bolt);
        EXPECT_EQ(v.hero.timeLine, "left 5 h 12 min");
        EXPECT_EQ(v.hero.timeSymbol, "clock");
        ASSERT_EQ(v.details.size(), 3U);
        EXPECT_EQ(v.details[0].v, "no charger");
        EXPECT_EQ(v.details[1].k, "Capacity");
        EXPECT_EQ(v.details[2].v, "5372 mAh");
        EXPECT_FALSE(v.chart.delta);
    }

    TEST(MainPageView, AbsentValuesShowADashAndDropTheirRows)
    {
        ScopedLanguage language("en");
        BatteryReading r;
        r.percent = 80;
        r.onAC = true;
        const MainPageView v = mainPageView(r, {}, std::nullopt);
        for (std::size_t i = 0; i < v.tiles.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(v.tiles[i].value, "—");
        }
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
                 Case { -1000, 12000, true, "+12 W" },
                 Case { 994, 10000, false, "9.9 W" },
                 Case { 1040, 10000, false, "10 W" },
                 Case { -5, 10000, false, "0 W" },
                 Case { -6, 10000, false, "−0.1 W" },
             }) {
            SCOPED_TRACE(c.text);
            BatteryReading r;
            r.amperageMA = c.ma;
            r.voltageMV = c.mv;
            r.charging = c.charging;
            EXPECT_EQ(powerTileText(r), c.text);
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
        for (const Case c : {
                 Case { 45.0, 80, "red", "malachite", "80 %" },
                 Case { 44.9, 79, "gold", "yellow", "79 %" },
             }) {
            SCOPED_TRACE(c.temperatureC);
            BatteryReading r = onBattery();
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
        BatteryReading low = onBattery();
        low.percent = 9;
        low.temperatureC = 46.0;
        low.fullCapacity = 6000;
        low.designCapacity = 8000;
        const MainPageView v = mainPageView(low, {}, std::nullopt);
        ASSERT_EQ(v.warnings.size(), 3U);
        EXPECT_EQ(v.warnings[0].text, "Critical: 9 % — plug in");
        EXPECT_TRUE(v.warnings[0].hot);
        EXPECT_TRUE(v.warnings[1].hot);
        EXPECT_EQ(v.warnings[2].text, "Battery health 75 % — time to think about a replacement");
        EXPECT_FALSE(v.warnings[2].hot);
        EXPECT_EQ(v.hero.tone, "red");

        BatteryReading weak = charging();
        weak.adapterWatts = 20;
        const MainPageView w = mainPageView(weak, {}, std::nullopt);
        ASSERT_EQ(w.warnings.size(), 1U);
        EXPECT_FALSE(w.warnings[0].hot);
        EXPECT_EQ(w.hero.tone, "yellow");
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
            SCOPED_TRACE(c.percent);
            BatteryReading r;
            r.onAC = true;
            r.percent = c.percent;
            r.charging = c.charging;
            r.full = c.full;
            const MainPageView v = mainPageView(r, {}, std::nullopt);
            ASSERT_GE(v.details.size(), 2U);
            EXPECT_EQ(v.details[1].v, c.mode);
        }
    }

    TEST(MainPageView, ChartNeedsTwoValuesForTheChartAndTheDelta)
    {
        ScopedLanguage language("en");
        for (const std::vector<double>& series :
            { std::vector<double> {}, std::vector<double> { 5 } }) {
            SCOPED_TRACE(series.size());
            const MainPageView v = mainPageView(onBattery(), series, -3);
            EXPECT_TRUE(v.chart.empty);
            EXPECT_EQ(v.chart.emptyText, "History appears in a couple of minutes");
            EXPECT_FALSE(v.chart.delta);
            EXPECT_TRUE(v.chart.values.empty());
            EXPECT_EQ(v.chart.title, "LAST 24 H");
        }

        const MainPageView two = mainPageView(onBattery(), twoValues, -3);
        EXPECT_FALSE(two.chart.empty);
        EXPECT_EQ(two.chart.values, twoValues);
        EXPECT_EQ(two.chart.delta, "−3 % last hour");
        EXPECT_EQ(two.chart.tint, "malachite");
        EXPECT_EQ(mainPageView(onBattery(), twoValues, 0).chart.delta, "+0 % last hour");
        EXPECT_EQ(mainPageView(onBattery(), twoValues, 7).chart.delta, "+7 % last hour");
        EXPECT_EQ(mainPageView(onBattery(), twoValues, std::numeric_limits<std::int64_t>::min())
                      .chart.delta,
            "−9223372036854775808 % last hour");
    }

} // namespace
} // namespace wattlet
