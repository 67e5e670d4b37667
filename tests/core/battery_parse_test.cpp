#include "core/battery_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using wattlet::BatteryReading;
using wattlet::PropertyDict;
using wattlet::PropertyValue;
namespace BatteryParse = wattlet::BatteryParse;

namespace {

constexpr auto int64Max = std::numeric_limits<std::int64_t>::max();
constexpr auto int64Min = std::numeric_limits<std::int64_t>::min();

BatteryReading parse(
    const PropertyDict& power, const PropertyDict& registry = {}, const PropertyDict& pack = {})
{
    return BatteryParse::reading(power, registry, pack, 0);
}

BatteryReading parseRegistry(const PropertyDict& registry) { return parse({}, registry); }

BatteryReading parseBatteryData(PropertyDict registry, const PropertyDict& batteryData)
{
    registry.emplace("BatteryData", batteryData);
    return parseRegistry(registry);
}

} // namespace

TEST(BatteryParse, IntValueConvertsNumbersAndWrapsThe32BitRange)
{
    struct Case
    {
        PropertyValue value;
        std::optional<std::int64_t> expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = { { 42, 42 }, { -5, -5 }, { std::int64_t { 2147483647 }, 2147483647 },
        { std::int64_t { 2147483648 }, -2147483648 }, { std::int64_t { 4294966116 }, -1180 },
        { std::int64_t { 4294967295 }, -1 }, { std::int64_t { 4294967296 }, 4294967296 },
        { int64Max, int64Max }, { int64Min, int64Min },
        { std::uint64_t { 18446744073709550524u }, -1092 },
        { std::uint64_t { 9223372036854775808u }, int64Min }, { 12.9, 12 }, { -12.9, -12 },
        { 4294966116.0, -1180 }, { -0x1p63, int64Min }, { 0x1p63, std::nullopt },
        { -1e19, std::nullopt }, { std::nan(""), std::nullopt }, { inf, std::nullopt },
        { -inf, std::nullopt }, { true, std::nullopt }, { "90", std::nullopt },
        { PropertyDict { { "a", 1 } }, std::nullopt }, { PropertyValue::Other {}, std::nullopt } };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(BatteryParse::intValue(&cases[i].value), cases[i].expected);
    }
    EXPECT_EQ(BatteryParse::intValue(nullptr), std::nullopt);
}

TEST(BatteryParse, EmptyDictionariesGiveTheDefaultReading)
{
    const auto r = BatteryParse::reading({}, {}, {}, 1700000000);
    BatteryReading expected;
    expected.updated = 1700000000;
    EXPECT_EQ(r, expected);
    EXPECT_TRUE(r.present);
}

TEST(BatteryParse, PercentScalesClampsAndFallsBack)
{
    struct Case
    {
        PropertyDict power, registry;
        std::int64_t expected;
    };
    const Case cases[] = {
        { { { "Current Capacity", 4500 }, { "Max Capacity", 6000 } }, {}, 75 },
        { { { "Current Capacity", 2 }, { "Max Capacity", 3 } }, {}, 66 },
        { { { "Current Capacity", 150 }, { "Max Capacity", 100 } }, {}, 100 },
        { { { "Current Capacity", -10 }, { "Max Capacity", 100 } }, {}, 0 },
        { { { "Current Capacity", 42 }, { "Max Capacity", 0 } }, {}, 42 },
        { { { "Current Capacity", 250 }, { "Max Capacity", -5 } }, {}, 250 },
        { { { "Current Capacity", 57 } }, {}, 57 },
        { { { "Max Capacity", 100 } }, {}, 0 },
        { {}, { { "CurrentCapacity", 7171 }, { "MaxCapacity", 7171 } }, 100 },
        { { { "Current Capacity", 50 } }, { { "CurrentCapacity", 10 }, { "MaxCapacity", 200 } },
            25 },
        { { { "Current Capacity", "50" } }, { { "CurrentCapacity", 30 } }, 30 },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(parse(cases[i].power, cases[i].registry).percent, cases[i].expected);
    }
}

TEST(BatteryParse, PercentIsExactEvenForHugeCapacities)
{
    struct Case
    {
        std::int64_t cur, max, expected;
    };
    const Case cases[] = { { 1, 3, 33 }, { 6999, 7000, 99 }, { 7, 7000, 0 }, { int64Max, 100, 100 },
        { int64Max, int64Max, 100 }, { int64Min, 1, 0 },
        { 200000000000000000, 400000000000000000, 50 }, { int64Max - 1, int64Max, 99 },
        { 99, 1000000000000000000, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cur << "/" << c.max);
        EXPECT_EQ(parse({ { "Current Capacity", c.cur }, { "Max Capacity", c.max } }).percent,
            c.expected);
    }
}

TEST(BatteryParse, FlagsTakeFirstBooleanInChain)
{
    EXPECT_FALSE(parse({ { "Is Charging", false } }, { { "IsCharging", true } }).charging);
    EXPECT_TRUE(parseRegistry({ { "IsCharging", true } }).charging);
    EXPECT_TRUE(parse({ { "Is Charging", "Yes" } }, { { "IsCharging", true } }).charging);
    EXPECT_FALSE(parse({ { "Is Charging", 1 } }).charging);
    EXPECT_TRUE(parse({ { "Is Charged", true } }, { { "FullyCharged", false } }).full);
    EXPECT_TRUE(parseRegistry({ { "FullyCharged", true } }).full);
}

TEST(BatteryParse, PowerSourceStateDecidesOnACBeforeRegistry)
{
    const PropertyDict connected { { "ExternalConnected", true } };
    EXPECT_TRUE(parse({ { "Power Source State", "AC Power" } }).onAC);
    EXPECT_FALSE(parse({ { "Power Source State", "Battery Power" } }, connected).onAC);
    EXPECT_FALSE(parse({ { "Power Source State", "ac power" } }, connected).onAC);
    EXPECT_TRUE(parse({}, connected).onAC);
    EXPECT_TRUE(parse({ { "Power Source State", 1 } }, connected).onAC);
    EXPECT_FALSE(parseRegistry({ { "ExternalConnected", 1 } }).onAC);
}

TEST(BatteryParse, MinutesLeftFollowsChargingAndDropsMarkers)
{
    struct Case
    {
        std::int64_t minutes;
        std::optional<std::int64_t> expected;
    };
    for (const auto& c : { Case { 65535, std::nullopt }, Case { 65534, 65534 }, Case { 74, 74 },
             Case { 1, 1 }, Case { 0, std::nullopt }, Case { -1, std::nullopt } }) {
        SCOPED_TRACE(c.minutes);
        EXPECT_EQ(parse({ { "Is Charging", true }, { "Time to Full Charge", c.minutes },
                            { "Time to Empty", 300 } })
                      .minutesLeft,
            c.expected);
        EXPECT_EQ(
            parse({ { "Time to Empty", c.minutes }, { "Time to Full Charge", 300 } }).minutesLeft,
            c.expected);
    }
    EXPECT_EQ(
        parseRegistry({ { "AvgTimeToEmpty", 271 }, { "AvgTimeToFull", 65535 } }).minutesLeft, 271);
    EXPECT_EQ(parseRegistry({ { "IsCharging", true }, { "AvgTimeToFull", 54 } }).minutesLeft, 54);
}

TEST(BatteryParse, NonACPowerStateAndPresentTimeStopTheChain)
{
    const auto r
        = parse({ { "Current Capacity", 57 }, { "Max Capacity", 100 }, { "Is Charging", false },
                    { "Time to Empty", -1 }, { "Power Source State", "Battery Power" } },
            { { "AvgTimeToEmpty", 300 }, { "ExternalConnected", true } });
    EXPECT_EQ(r.percent, 57);
    EXPECT_FALSE(r.onAC);
    EXPECT_EQ(r.minutesLeft, std::nullopt);
}

TEST(BatteryParse, AmperageAndVoltageChains)
{
    EXPECT_EQ(
        parseRegistry({ { "InstantAmperage", std::int64_t { 4294966116 } }, { "Amperage", -900 } })
            .amperageMA,
        -1180);
    EXPECT_EQ(parseRegistry({ { "Amperage", -900 } }).amperageMA, -900);
    EXPECT_EQ(parseBatteryData({}, { { "Amperage", 1500 } }).amperageMA, 1500);
    EXPECT_EQ(parseRegistry({ { "InstantAmperage", "n/a" }, { "Amperage", 7 } }).amperageMA, 7);

    EXPECT_EQ(
        parseRegistry({ { "Voltage", 12000 }, { "AppleRawBatteryVoltage", 11000 } }).voltageMV,
        12000);
    EXPECT_EQ(parseRegistry({ { "AppleRawBatteryVoltage", 11000 } }).voltageMV, 11000);
}

TEST(BatteryParse, CurrentDerivedFromBatteryPowerWhenNoAmperage)
{
    struct Case
    {
        PropertyDict registry;
        PropertyValue powerMW;
        std::optional<std::int64_t> expected;
    };
    const PropertyDict volts12 { { "Voltage", 12000 } };
    const Case cases[] = { { volts12, -15000, -1250 }, { volts12, -15001, -1250 },
        { volts12, std::uint64_t { 18446744073709536616u }, -1250 }, { volts12, 0, std::nullopt },
        { volts12, "15000", std::nullopt }, { { { "Voltage", 0 } }, 15000, std::nullopt },
        { { { "Voltage", -12000 } }, 15000, std::nullopt }, { {}, 15000, std::nullopt },
        { { { "Voltage", 12000 }, { "Amperage", 3 } }, 15000, 3 },
        { { { "AppleRawBatteryVoltage", 3 } }, 7, 2333 } };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(parseBatteryData(cases[i].registry, { { "BatteryPower", cases[i].powerMW } })
                      .amperageMA,
            cases[i].expected);
    }
}

TEST(BatteryParse, CurrentFromPowerStaysAbsentWhenTheProductOverflows)
{
    const PropertyDict volt { { "Voltage", 1 } };
    EXPECT_EQ(parseBatteryData(volt, { { "BatteryPower", std::int64_t { 9223372036854775 } } })
                  .amperageMA,
        9223372036854775000);
    EXPECT_EQ(parseBatteryData(volt, { { "BatteryPower", std::int64_t { 9223372036854776 } } })
                  .amperageMA,
        std::nullopt);
    EXPECT_EQ(parseBatteryData(volt, { { "BatteryPower", int64Min } }).amperageMA, std::nullopt);
    EXPECT_EQ(
        parseBatteryData({ { "Voltage", int64Max } }, { { "BatteryPower", int64Max } }).amperageMA,
        std::nullopt);
}

TEST(BatteryParse, AdapterOnlyOnACWithDetails)
{
    const PropertyDict named { { "ExternalConnected", true },
        { "AdapterDetails", PropertyDict { { "Watts", 96 }, { "Name", "USB-C charger" } } } };
    auto r = parseRegistry(named);
    EXPECT_EQ(r.adapterWatts, 96);
    EXPECT_EQ(r.adapterName, "USB-C charger");

    r = parse({ { "Power Source State", "Battery Power" } }, named);
    EXPECT_EQ(r.adapterWatts, std::nullopt);
    EXPECT_EQ(r.adapterName, std::nullopt);

    r = parseRegistry({ { "ExternalConnected", true },
        { "AdapterDetails", PropertyDict { { "Description", "pd charger" } } } });
    EXPECT_EQ(r.adapterWatts, std::nullopt);
    EXPECT_EQ(r.adapterName, "pd charger");

    r = parseRegistry({ { "ExternalConnected", true },
        { "AdapterDetails", PropertyDict { { "Name", 5 }, { "Description", "pd charger" } } } });
    EXPECT_EQ(r.adapterName, "pd charger");

    r = parseRegistry({ { "ExternalConnected", true }, { "AdapterDetails", "96W" } });
    EXPECT_EQ(r.adapterName, std::nullopt);

    // A recorded name passes the same cleaning as a live one.
    r = parseRegistry({ { "ExternalConnected", true },
        { "AdapterDetails", PropertyDict { { "Name", "\x1B]0;pwned\a\u202E" } } } });
    EXPECT_EQ(r.adapterName, "]0;pwned");
    r = parseRegistry({ { "ExternalConnected", true },
        { "AdapterDetails", PropertyDict { { "Name", "\n\t " } } } });
    EXPECT_EQ(r.adapterName, std::nullopt);
}

TEST(BatteryParse, CapacityChainsCrossRegistryAndBatteryData)
{
    const PropertyDict all { { "FullChargeCapacity", 4147 }, { "NominalChargeCapacity", 4274 },
        { "DesignCapacity", 4563 }, { "RemainingCapacity", 3334 }, { "CycleCount", 113 } };
    auto r = parseBatteryData({ { "DesignCapacity", 8579 }, { "AppleRawMaxCapacity", 8542 },
                                  { "NominalChargeCapacity", 8786 },
                                  { "AppleRawCurrentCapacity", 6578 }, { "CycleCount", 67 } },
        all);
    EXPECT_EQ(r.designCapacity, 8579);
    EXPECT_EQ(r.fullCapacity, 4147);
    EXPECT_EQ(r.remainingCapacity, 3334);
    EXPECT_EQ(r.cycles, 67);

    r = parseBatteryData({ { "AppleRawMaxCapacity", 8542 }, { "NominalChargeCapacity", 8786 },
                             { "AppleRawCurrentCapacity", 6578 } },
        { { "NominalChargeCapacity", 4274 }, { "DesignCapacity", 4563 } });
    EXPECT_EQ(r.designCapacity, 4563);
    EXPECT_EQ(r.fullCapacity, 8542);
    EXPECT_EQ(r.remainingCapacity, 6578);

    EXPECT_EQ(parseBatteryData(
                  { { "NominalChargeCapacity", 8786 } }, { { "NominalChargeCapacity", 4274 } })
                  .fullCapacity,
        4274);
    EXPECT_EQ(parseRegistry({ { "NominalChargeCapacity", 8786 } }).fullCapacity, 8786);
}

TEST(BatteryParse, MistypedKeysFallThroughToTheNextLink)
{
    EXPECT_EQ(parseBatteryData({ { "CycleCount", "90" } }, { { "CycleCount", 291 } }).cycles, 291);
    EXPECT_EQ(parseRegistry({ { "CycleCount", "90" } }).cycles, std::nullopt);
    EXPECT_EQ(parseRegistry({ { "CycleCount", true } }).cycles, std::nullopt);
    EXPECT_EQ(parseRegistry({ { "BatteryData", "broken" }, { "AppleRawMaxCapacity", 8542 } })
                  .fullCapacity,
        8542);
}

TEST(BatteryParse, TemperatureTakesFirstCandidateInRange)
{
    struct Case
    {
        PropertyDict registry, pack;
        std::optional<double> expected;
    };
    const Case cases[] = { { { { "Temperature", 3050 } }, { { "Temperature", 0 } }, 30.5 },
        { { { "Temperature", 3050 } }, { { "Temperature", 3300 } }, 33.0 },
        { {}, { { "VirtualTemperature", 9000 } }, std::nullopt },
        { { { "Temperature", 500 } }, {}, 5.0 }, { { { "Temperature", 499 } }, {}, std::nullopt },
        { { { "Temperature", 8000 } }, {}, 80.0 },
        { { { "Temperature", 8001 } }, { { "VirtualTemperature", 3700 } }, 37.0 },
        { { { "Temperature", -27315 } }, {}, std::nullopt },
        { { { "Temperature", 3050.9 } }, {}, 30.5 },
        { { { "Temperature", "3050" } }, {}, std::nullopt } };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(parse({}, cases[i].registry, cases[i].pack).temperatureC, cases[i].expected);
    }
}

TEST(BatteryParse, ChargerReasonsCopiedOnlyFromChargerData)
{
    auto r = parseRegistry({ { "ChargerData", PropertyDict { { "NotChargingReason", 0 } } } });
    EXPECT_EQ(r.notChargingReason, 0);
    EXPECT_EQ(r.slowChargingReason, std::nullopt);
    EXPECT_EQ(r.thermallyLimitedSeconds, std::nullopt);

    r = parseRegistry({ { "ChargerData",
        PropertyDict { { "NotChargingReason", 16777216 }, { "SlowChargingReason", 2 },
            { "TimeChargingThermallyLimited", 120 } } } });
    EXPECT_EQ(r.notChargingReason, 16777216);
    EXPECT_EQ(r.slowChargingReason, 2);
    EXPECT_EQ(r.thermallyLimitedSeconds, 120);

    r = parseRegistry({ { "NotChargingReason", 1 }, { "ChargerData", 1 } });
    EXPECT_EQ(r.notChargingReason, std::nullopt);
}
