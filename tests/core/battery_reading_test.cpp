#include "core/battery_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using wattlet::BatteryReading;
using W = BatteryReading::Warning;
using S = BatteryReading::State;

namespace {

constexpr auto int64Max = std::numeric_limits<std::int64_t>::max();
constexpr auto int64Min = std::numeric_limits<std::int64_t>::min();

BatteryReading onBattery(std::int64_t percent)
{
    BatteryReading r;
    r.percent = percent;
    return r;
}

BatteryReading onPower(std::int64_t percent, bool charging = false)
{
    BatteryReading r;
    r.onAC = true;
    r.charging = charging;
    r.percent = percent;
    return r;
}

BatteryReading withCapacities(std::optional<std::int64_t> full, std::optional<std::int64_t> design)
{
    BatteryReading r = onPower(50, true);
    r.fullCapacity = full;
    r.designCapacity = design;
    return r;
}

} // namespace

TEST(BatteryReading, DefaultReadingIsCriticalAndEmpty)
{
    const BatteryReading r;
    EXPECT_EQ(r.state(), S::discharging);
    EXPECT_EQ(r.warnings(), std::vector<W> { W::critical });
    EXPECT_EQ(r.dot(), "red");
    EXPECT_EQ(r.fillSymbol(), "battery.0percent");
    EXPECT_EQ(r.symbol(), "battery.0percent");
    EXPECT_FALSE(r.watts());
    EXPECT_FALSE(r.health());
    EXPECT_FALSE(r.optimizedHold());
}

TEST(BatteryReading, StateFollowsPowerThenChargingThenFull)
{
    struct Case
    {
        bool onAC, charging, full;
        std::int64_t percent;
        S expected;
    };
    const Case cases[] = {
        { false, true, true, 100, S::discharging },
        { true, true, true, 100, S::charging },
        { true, false, true, 50, S::full },
        { true, false, false, 100, S::full },
        { true, false, false, 150, S::full },
        { true, false, false, 99, S::hold },
        { true, false, false, 80, S::hold },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.onAC << c.charging << c.full << " " << c.percent);
        BatteryReading r;
        r.onAC = c.onAC;
        r.charging = c.charging;
        r.full = c.full;
        r.percent = c.percent;
        EXPECT_EQ(r.state(), c.expected);
    }
}

TEST(BatteryReading, OptimizedHoldOnlyInsideSeventyToNinety)
{
    EXPECT_FALSE(onPower(69).optimizedHold());
    EXPECT_TRUE(onPower(70).optimizedHold());
    EXPECT_TRUE(onPower(90).optimizedHold());
    EXPECT_FALSE(onPower(91).optimizedHold());
    EXPECT_FALSE(onPower(80, true).optimizedHold());
    EXPECT_FALSE(onBattery(80).optimizedHold());
    BatteryReading full = onPower(80);
    full.full = true;
    EXPECT_FALSE(full.optimizedHold());
}

TEST(BatteryReading, ChargeWarningsOnlyOnBattery)
{
    struct Case
    {
        std::int64_t percent;
        std::vector<W> expected;
        const char* dot;
    };
    const Case cases[] = {
        { -5, { W::critical }, "red" },
        { 10, { W::critical }, "red" },
        { 11, { W::low }, "yellow" },
        { 20, { W::low }, "yellow" },
        { 21, {}, "green" },
        { 100, {}, "green" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(onBattery(c.percent).warnings(), c.expected);
        EXPECT_EQ(onBattery(c.percent).dot(), c.dot);
        EXPECT_TRUE(onPower(c.percent, true).warnings().empty());
        EXPECT_EQ(onPower(c.percent, true).dot(), "blue");
    }
}

TEST(BatteryReading, HotFromFortyFiveDegreesInAnyPowerState)
{
    BatteryReading r = onPower(50, true);
    r.temperatureC = 44.99;
    EXPECT_TRUE(r.warnings().empty());
    r.temperatureC = 45.0;
    EXPECT_EQ(r.warnings(), std::vector<W> { W::hot });
    EXPECT_EQ(r.dot(), "red");

    r.temperatureC = std::nan("");
    EXPECT_TRUE(r.warnings().empty());
}

TEST(BatteryReading, WarningsKeepTheirFixedOrderAndRedOutranksYellow)
{
    BatteryReading r = onPower(50);
    r.temperatureC = 50.0;
    r.adapterWatts = 20;
    r.slowChargingReason = 1;
    r.notChargingReason = 4;
    r.fullCapacity = 6000;
    r.designCapacity = 8000;
    EXPECT_EQ(r.warnings(),
        (std::vector<W> { W::hot, W::weakCharger, W::slowCharging, W::notCharging, W::healthLow }));
    EXPECT_EQ(r.dot(), "red");
    r.onAC = false;
    r.percent = 15;
    EXPECT_EQ(r.warnings(), (std::vector<W> { W::low, W::hot, W::healthLow }));
    EXPECT_EQ(r.dot(), "red");
}

TEST(BatteryReading, WeakChargerBelowThirtyWattsOnPowerOnly)
{
    struct Case
    {
        std::int64_t watts;
        bool weak;
    };
    for (const auto& c : { Case { -5, false }, Case { 0, false }, Case { 1, true },
             Case { 29, true }, Case { 30, false }, Case { 96, false } }) {
        SCOPED_TRACE(c.watts);
        BatteryReading r = onPower(50, true);
        r.adapterWatts = c.watts;
        EXPECT_EQ(r.warnings(), c.weak ? std::vector<W> { W::weakCharger } : std::vector<W> {});
        EXPECT_EQ(r.dot(), c.weak ? "yellow" : "blue");
    }
    BatteryReading battery = onBattery(50);
    battery.adapterWatts = 29;
    EXPECT_TRUE(battery.warnings().empty());
}

TEST(BatteryReading, SlowChargingFromReasonOrThermalLimit)
{
    struct Case
    {
        std::optional<std::int64_t> reason, seconds;
        bool slow;
    };
    const Case cases[] = {
        { std::nullopt, std::nullopt, false },
        { 0, 0, false },
        { 0, -3, false },
        { 2, 0, true },
        { -1, std::nullopt, true },
        { 0, 1, true },
        { std::nullopt, 600, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.reason.value_or(-99) << "/" << c.seconds.value_or(-99));
        BatteryReading r = onPower(50, true);
        r.slowChargingReason = c.reason;
        r.thermallyLimitedSeconds = c.seconds;
        EXPECT_EQ(r.warnings(), c.slow ? std::vector<W> { W::slowCharging } : std::vector<W> {});
        EXPECT_EQ(r.dot(), "blue");

        r.onAC = false;
        r.charging = false;
        EXPECT_TRUE(r.warnings().empty());
    }
}

TEST(BatteryReading, NotChargingOutsideHoldBandWithReason)
{
    struct Case
    {
        std::int64_t percent;
        bool raised;
    };
    for (const auto& c : { Case { 69, true }, Case { 70, false }, Case { 90, false },
             Case { 91, true }, Case { 99, true }, Case { 100, false } }) {
        SCOPED_TRACE(c.percent);
        BatteryReading r = onPower(c.percent);
        r.notChargingReason = 4;
        EXPECT_EQ(r.warnings(), c.raised ? std::vector<W> { W::notCharging } : std::vector<W> {});
        EXPECT_EQ(r.dot(), c.raised ? "yellow" : "green");
    }

    BatteryReading r = onPower(50);
    EXPECT_TRUE(r.warnings().empty()) << "no reason";
    r.notChargingReason = 0;
    EXPECT_TRUE(r.warnings().empty()) << "reason 0";
    r.notChargingReason = 4;
    r.full = true;
    EXPECT_TRUE(r.warnings().empty()) << "full";
    r.full = false;
    r.charging = true;
    EXPECT_TRUE(r.warnings().empty()) << "charging";
    r.onAC = false;
    r.charging = false;
    EXPECT_TRUE(r.warnings().empty()) << "on battery";
}

TEST(BatteryReading, HealthRoundsHalfAwayFromZeroCapsAtHundredSaturatesNeedsDesign)
{
    EXPECT_EQ(withCapacities(8393, 8579).health(), 98);
    EXPECT_EQ(withCapacities(6000, 8000).health(), 75);
    EXPECT_EQ(withCapacities(159, 200).health(), 80);
    EXPECT_EQ(withCapacities(157, 200).health(), 79);
    EXPECT_EQ(withCapacities(9000, 8000).health(), 100);
    EXPECT_EQ(withCapacities(0, 8000).health(), 0);
    EXPECT_EQ(withCapacities(-1, 200).health(), -1);
    EXPECT_EQ(withCapacities(8000, 1).health(), 100);
    EXPECT_FALSE(withCapacities(8000, 0).health());
    EXPECT_FALSE(withCapacities(8000, -100).health());
    EXPECT_FALSE(withCapacities(8000, std::nullopt).health());
    EXPECT_FALSE(withCapacities(std::nullopt, 8000).health());
    // Extreme capacities saturate instead of overflowing the cast.
    EXPECT_EQ(withCapacities(int64Max, 1).health(), 100);
    EXPECT_EQ(withCapacities(int64Min, 1).health(), int64Min);
    EXPECT_EQ(withCapacities(int64Min, int64Max).health(), -100);
    EXPECT_EQ(withCapacities(1, int64Max).health(), 0);
}

TEST(BatteryReading, HealthLowBelowEightyPercentLeavesTheDotAlone)
{
    EXPECT_TRUE(withCapacities(159, 200).warnings().empty());
    const BatteryReading worn = withCapacities(157, 200);
    EXPECT_EQ(worn.warnings(), std::vector<W> { W::healthLow });
    EXPECT_EQ(worn.dot(), "blue");
}

TEST(BatteryReading, WattsIsSignedUnroundedAndFiniteForExtremeValues)
{
    BatteryReading r;
    r.amperageMA = -1180;
    r.voltageMV = 11691;
    EXPECT_DOUBLE_EQ(*r.watts(), -13.79538);
    r.amperageMA = int64Min;
    r.voltageMV = int64Min;
    EXPECT_DOUBLE_EQ(*r.watts(), 8.507059173023462e31);
    r.voltageMV = int64Max;
    EXPECT_DOUBLE_EQ(*r.watts(), -8.507059173023462e31);
    r.voltageMV.reset();
    EXPECT_FALSE(r.watts());
    r.voltageMV = 11691;
    r.amperageMA.reset();
    EXPECT_FALSE(r.watts());
}

TEST(BatteryReading, FillSymbolBucketsAndBoltOnPower)
{
    struct Case
    {
        std::int64_t percent;
        const char* symbol;
    };
    const Case cases[] = {
        { -40, "battery.0percent" },
        { 12, "battery.0percent" },
        { 13, "battery.25percent" },
        { 37, "battery.25percent" },
        { 38, "battery.50percent" },
        { 62, "battery.50percent" },
        { 63, "battery.75percent" },
        { 87, "battery.75percent" },
        { 88, "battery.100percent" },
        { 100, "battery.100percent" },
        { 250, "battery.100percent" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(onBattery(c.percent).fillSymbol(), c.symbol);
        EXPECT_EQ(onBattery(c.percent).symbol(), c.symbol);
        EXPECT_EQ(onPower(c.percent).fillSymbol(), c.symbol);
        EXPECT_EQ(onPower(c.percent).symbol(), "battery.100percent.bolt");
    }
}

TEST(BatteryReading, RawValuesAreCaseNames)
{
    EXPECT_EQ(wattlet::rawValue(S::charging), "charging");
    EXPECT_EQ(wattlet::rawValue(S::full), "full");
    EXPECT_EQ(wattlet::rawValue(S::hold), "hold");
    EXPECT_EQ(wattlet::rawValue(S::discharging), "discharging");
    const char* names[]
        = { "critical", "low", "hot", "weakCharger", "slowCharging", "notCharging", "healthLow" };
    const auto all = wattlet::allWarnings();
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(wattlet::rawValue(all[i]), names[i]);
}
