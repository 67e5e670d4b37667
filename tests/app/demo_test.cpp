#include "app/demo.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wattlet {
namespace {

    TEST(Demo, SeriesDischargesThenCharges)
    {
        const auto& series = Demo::series();
        ASSERT_EQ(series.size(), 96u);
        const std::pair<std::size_t, double> rows[] = { { 0, 92.0 }, { 1, 90.6 }, { 30, 50.0 },
            { 59, 9.4 }, { 60, 8.0 }, { 61, 10.6 }, { 80, 60.0 }, { 95, 99.0 } };
        for (const auto& [index, value] : rows)
            EXPECT_NEAR(series[index], value, 1e-9) << index;
        EXPECT_EQ(std::min_element(series.begin(), series.end()) - series.begin(), 60);
    }

    // The derived values depend on nearly every field, so they catch a wrong one; the charging
    // reading is pinned by the main page and copy tests.
    TEST(Demo, ReadingsGiveTheirDerivedValues)
    {
        using W = BatteryReading::Warning;
        const BatteryReading battery = Demo::reading("battery", 1000.5);
        EXPECT_EQ(battery.updated, 1000.5);
        EXPECT_EQ(battery.minutesLeft, 312);
        EXPECT_EQ(battery.dot(), "green");
        EXPECT_EQ(battery.symbol(), "battery.75percent");
        EXPECT_NEAR(*battery.watts(), -13.79538, 1e-9);
        EXPECT_EQ(battery.health(), 98);

        const BatteryReading low = Demo::reading("low", 0);
        EXPECT_EQ(low.warnings(), (std::vector<W> { W::critical, W::hot }));
        EXPECT_EQ(low.symbol(), "battery.0percent");
        EXPECT_NEAR(*low.watts(), -16.60122, 1e-9);
    }

    TEST(Demo, EveryOtherKindIsTheChargingReading)
    {
        for (const char* kind : { "", "Battery", "LOW", "battery " })
            EXPECT_EQ(Demo::reading(kind, 7), Demo::reading("charging", 7)) << kind;
    }

} // namespace
} // namespace wattlet
