#include "app/demo.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wattlet {
namespace {

    using W = BatteryReading::Warning;

    TEST(Demo, SeriesDischargesThenCharges)
    {
        const auto& series = Demo::series();
        ASSERT_EQ(series.size(), 96u);
        const std::pair<int, double> rows[] = { { 0, 92.0 }, { 1, 90.6 }, { 30, 50.0 }, { 59, 9.4 },
            { 60, 8.0 }, { 61, 10.6 }, { 80, 60.0 }, { 95, 99.0 } };
        for (const auto& [index, value] : rows) {
            SCOPED_TRACE(index);
            EXPECT_NEAR(series[static_cast<std::size_t>(index)], value, 1e-9);
        }
        EXPECT_EQ(std::min_element(series.begin(), series.end()) - series.begin(), 60);
        EXPECT_EQ(std::max_element(series.begin(), series.end()) - series.begin(), 95);
        EXPECT_EQ(&Demo::series(), &series);
    }

    TEST(Demo, BatteryReading)
    {
        const BatteryReading r = Demo::reading("battery", 1000.5);
        EXPECT_EQ(r.updated, 1000.5);
        EXPECT_EQ(r.percent, 64);
        EXPECT_FALSE(r.charging);
        EXPECT_FALSE(r.onAC);
        EXPECT_EQ(r.minutesLeft, 312);
        EXPECT_EQ(r.amperageMA, -1180);
        EXPECT_EQ(r.adapterWatts, std::nullopt);
        EXPECT_EQ(r.adapterName, std::nullopt);
        EXPECT_EQ(r.remainingCapacity, 5372);
        EXPECT_EQ(r.temperatureC, 37.0);
        EXPECT_EQ(r.state(), BatteryReading::State::discharging);
        EXPECT_TRUE(r.warnings().empty());
        EXPECT_EQ(r.dot(), "green");
        EXPECT_EQ(r.symbol(), "battery.75percent");
        EXPECT_NEAR(*r.watts(), -13.79538, 1e-9);
        EXPECT_EQ(r.health(), 98);
    }

    TEST(Demo, LowReadingIsCriticalAndHotButNeverLow)
    {
        const BatteryReading r = Demo::reading("low", 0);
        EXPECT_EQ(r.percent, 9);
        EXPECT_EQ(r.minutesLeft, 38);
        EXPECT_EQ(r.amperageMA, -1420);
        EXPECT_EQ(r.remainingCapacity, 760);
        EXPECT_EQ(r.temperatureC, 46.0);
        EXPECT_EQ(r.warnings(), (std::vector<W> { W::critical, W::hot }));
        EXPECT_EQ(r.dot(), "red");
        EXPECT_EQ(r.symbol(), "battery.0percent");
        EXPECT_NEAR(*r.watts(), -16.60122, 1e-9);
    }

    TEST(Demo, ChargingReadingIsTheFallbackForEveryOtherKind)
    {
        const BatteryReading r = Demo::reading("charging", 7);
        EXPECT_TRUE(r.present);
        EXPECT_EQ(r.percent, 48);
        EXPECT_TRUE(r.charging);
        EXPECT_TRUE(r.onAC);
        EXPECT_FALSE(r.full);
        EXPECT_EQ(r.minutesLeft, 74);
        EXPECT_EQ(r.amperageMA, 6393);
        EXPECT_EQ(r.voltageMV, 11691);
        EXPECT_EQ(r.adapterWatts, 96);
        EXPECT_EQ(r.adapterName, "USB-C charger");
        EXPECT_EQ(r.designCapacity, 8579);
        EXPECT_EQ(r.fullCapacity, 8393);
        EXPECT_EQ(r.remainingCapacity, 4030);
        EXPECT_EQ(r.cycles, 90);
        EXPECT_EQ(r.notChargingReason, std::nullopt);
        EXPECT_EQ(r.slowChargingReason, std::nullopt);
        EXPECT_EQ(r.thermallyLimitedSeconds, std::nullopt);
        EXPECT_EQ(r.state(), BatteryReading::State::charging);
        EXPECT_EQ(r.dot(), "blue");
        EXPECT_EQ(r.symbol(), "battery.100percent.bolt");
        EXPECT_NEAR(*r.watts(), 74.740563, 1e-9);

        for (const char* kind : { "", "Battery", "LOW", "battery " }) {
            SCOPED_TRACE(kind);
            EXPECT_EQ(Demo::reading(kind, 7), r);
        }
    }

} // namespace
} // namespace wattlet
