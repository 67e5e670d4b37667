#include "app/demo.h"
#include "app/present/main_page_view.h"

#include <gtest/gtest.h>

#include <limits>

namespace wattlet {
namespace {

    constexpr Language en = Language::en;

    const std::vector<double> twoValues { 50.0, 48.0 };

    // Each text in its place; the words of either language are BatteryText's.
    TEST(MainPageView, ChargingReadingPutsEachTextInItsPlace)
    {
        const MainPageView v = mainPageView(Demo::reading("charging", 0), twoValues, -12, en);
        ASSERT_EQ(v.details.size(), 4U);
        ASSERT_EQ(v.actions.size(), 2U);
        EXPECT_EQ((std::vector<std::string> { v.hero.state, v.hero.timeLine.value_or(""),
                      v.tiles[0].value, v.details[0].v, v.details[1].v, v.details[2].v,
                      v.chart.delta.value_or(""), v.actions[1].title }),
            (std::vector<std::string> { "charging", "full in 1 h 14 min", "+75 W",
                "96 W · USB-C charger", "normal charging", "8393 / 8579 mAh", "−12 % last hour",
                "Copy summary" }));
    }

    TEST(MainPageView, UnknownValuesShowAsADashOrNotAtAll)
    {
        BatteryReading r;
        r.percent = 80;
        r.onAC = true;
        const MainPageView v = mainPageView(r, {}, std::nullopt, en);
        for (const MainPageView::Tile& tile : v.tiles)
            EXPECT_EQ(tile.value, "—") << tile.symbol;
        ASSERT_EQ(v.details.size(), 2U);
        EXPECT_EQ(v.details[0].v, "—");
        EXPECT_FALSE(v.hero.timeLine);
    }

    TEST(MainPageView, OnlyCriticalAndHotWarningsAreRed)
    {
        BatteryReading low = Demo::reading("low", 0);
        low.fullCapacity = 6000;
        const MainPageView v = mainPageView(low, {}, std::nullopt, en);
        ASSERT_EQ(v.warnings.size(), 3U);
        EXPECT_EQ(v.warnings[0].tone, "red");
        EXPECT_EQ(v.warnings[1].tone, "red");
        EXPECT_EQ(v.warnings[2].tone, "yellow");
        EXPECT_EQ(v.hero.tone, "red");
    }

    TEST(MainPageView, ChartNeedsTwoValues)
    {
        const BatteryReading r = Demo::reading("battery", 0);
        const MainPageView one = mainPageView(r, { 5 }, -3, en);
        EXPECT_TRUE(one.chart.empty);
        EXPECT_FALSE(one.chart.delta);
        EXPECT_FALSE(mainPageView(r, twoValues, -3, en).chart.empty);
        EXPECT_EQ(
            mainPageView(r, twoValues, std::numeric_limits<std::int64_t>::min(), en).chart.delta,
            "−9223372036854775808 % last hour");
    }

} // namespace
} // namespace wattlet
