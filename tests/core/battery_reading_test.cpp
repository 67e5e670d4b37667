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

TEST(BatteryReading, StateAtEachBoundary)
{
    struct Case
    {
        bool onAC, charging, full;
        std::int64_t percent;
        S state;
        bool optimizedHold;
    };
    const Case cases[] = { { false, true, true, 100, S::discharging, false },
        { true, true, true, 100, S::charging, false }, { true, false, true, 50, S::full, false },
        { true, false, false, 100, S::full, false }, { true, false, false, 91, S::hold, false },
        { true, false, false, 90, S::hold, true }, { true, false, false, 70, S::hold, true },
        { true, false, false, 69, S::hold, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.onAC << c.charging << c.full << " " << c.percent);
        BatteryReading r = onPower(c.percent, c.charging);
        r.onAC = c.onAC;
        r.full = c.full;
        EXPECT_EQ(r.state(), c.state);
        EXPECT_EQ(r.optimizedHold(), c.optimizedHold);
    }
}

TEST(BatteryReading, StatusAtEachThreshold)
{
    using I = std::optional<std::int64_t>;
    struct Row
    {
        const char* name;
        BatteryReading reading;
        std::vector<W> warnings;
        const char* dot;
    };
    const auto with = [](BatteryReading r, auto change) {
        change(r);
        return r;
    };
    const auto adapter = [&](BatteryReading r, I watts) {
        return with(r, [&](BatteryReading& x) { x.adapterWatts = watts; });
    };
    const auto slow = [&](BatteryReading r, I reason, I seconds) {
        return with(r, [&](BatteryReading& x) {
            x.slowChargingReason = reason;
            x.thermallyLimitedSeconds = seconds;
        });
    };
    const auto held = [&](std::int64_t percent, I reason) {
        return with(onPower(percent), [&](BatteryReading& x) { x.notChargingReason = reason; });
    };
    const auto heat = [&](BatteryReading r, double celsius) {
        return with(r, [&](BatteryReading& x) { x.temperatureC = celsius; });
    };
    const Row rows[] = {
        { "battery 10", onBattery(10), { W::critical }, "red" },
        { "battery 11", onBattery(11), { W::low }, "yellow" },
        { "battery 20", onBattery(20), { W::low }, "yellow" },
        { "battery 21", onBattery(21), {}, "green" },
        { "charging 5", onPower(5, true), {}, "blue" },
        { "44.99 °C", heat(onPower(50, true), 44.99), {}, "blue" },
        { "45 °C while charging", heat(onPower(50, true), 45.0), { W::hot }, "red" },
        { "NaN °C", heat(onBattery(50), std::nan("")), {}, "green" },
        { "adapter 0 W", adapter(onPower(50, true), 0), {}, "blue" },
        { "adapter 29 W", adapter(onPower(50, true), 29), { W::weakCharger }, "yellow" },
        { "adapter 30 W", adapter(onPower(50, true), 30), {}, "blue" },
        { "slow -3 s", slow(onPower(50, true), 0, -3), {}, "blue" },
        { "slow reason -1", slow(onPower(50, true), -1, std::nullopt), { W::slowCharging },
            "blue" },
        { "slow 1 s", slow(onPower(50, true), 0, 1), { W::slowCharging }, "blue" },
        { "held at 69", held(69, 4), { W::notCharging }, "yellow" },
        { "held at 70", held(70, 4), {}, "green" },
        { "held at 91", held(91, 4), { W::notCharging }, "yellow" },
        { "held at 100", held(100, 4), {}, "green" },
        { "held with reason 0", held(50, 0), {}, "green" },
        { "held without reason", held(50, std::nullopt), {}, "green" },
        { "held but full", with(held(50, 4), [](BatteryReading& x) { x.full = true; }), {},
            "green" },
        { "charging with a reason", with(held(50, 4), [](BatteryReading& x) { x.charging = true; }),
            {}, "blue" },
        { "health 80", withCapacities(159, 200), {}, "blue" },
        { "health 79", withCapacities(157, 200), { W::healthLow }, "blue" },
        { "all on battery",
            with(heat(onBattery(15), 50.0),
                [](BatteryReading& x) {
                    x.adapterWatts = 20;
                    x.notChargingReason = 4;
                    x.slowChargingReason = 2;
                    x.fullCapacity = 6000;
                    x.designCapacity = 8000;
                }),
            { W::low, W::hot, W::healthLow }, "red" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.reading.warnings(), row.warnings);
        EXPECT_EQ(row.reading.dot(), row.dot);
    }
}

TEST(BatteryReading, HealthIsFullOverDesignRoundedAndBounded)
{
    // Where it rounds to 80 and 79 is a row of StatusAtEachThreshold.
    EXPECT_EQ(withCapacities(0, 8000).health(), 0);
    EXPECT_FALSE(withCapacities(8000, 0).health());
    EXPECT_FALSE(withCapacities(8000, std::nullopt).health());
    EXPECT_FALSE(withCapacities(std::nullopt, 8000).health());
    // Extreme capacities saturate instead of overflowing the cast.
    EXPECT_EQ(withCapacities(int64Max, 1).health(), 100);
    EXPECT_EQ(withCapacities(int64Min, 1).health(), int64Min);
    EXPECT_EQ(withCapacities(int64Min, int64Max).health(), -100);
    EXPECT_EQ(withCapacities(1, int64Max).health(), 0);
}

TEST(BatteryReading, WattsIsFiniteForExtremeValuesAndAbsentWithoutBoth)
{
    BatteryReading r;
    r.amperageMA = int64Min;
    r.voltageMV = int64Max;
    EXPECT_DOUBLE_EQ(*r.watts(), -8.507059173023462e31);
    r.voltageMV.reset();
    EXPECT_FALSE(r.watts());
}
