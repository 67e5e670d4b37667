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
using I = std::optional<std::int64_t>;

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

TEST(BatteryParse, IntValueReadsThe32BitRangeAsSigned)
{
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<PropertyValue, I> cases[] = { { 42, 42 }, { -5, -5 },
        { std::int64_t { 2147483647 }, 2147483647 }, { std::int64_t { 2147483648 }, -2147483648 },
        { std::int64_t { 4294966116 }, -1180 }, { std::int64_t { 4294967295 }, -1 },
        { std::int64_t { 4294967296 }, 4294967296 }, { int64Max, int64Max }, { int64Min, int64Min },
        { std::uint64_t { 18446744073709550524u }, -1092 },
        { std::uint64_t { 9223372036854775808u }, int64Min }, { 12.9, 12 }, { -12.9, -12 },
        { 4294966116.0, -1180 }, { -0x1p63, int64Min }, { 0x1p63, {} }, { -1e19, {} },
        { std::nan(""), {} }, { inf, {} }, { -inf, {} }, { true, {} }, { "90", {} },
        { PropertyDict { { "a", 1 } }, {} }, { PropertyValue::Other {}, {} } };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(BatteryParse::intValue(&cases[i].first), cases[i].second);
    }
    EXPECT_EQ(BatteryParse::intValue(nullptr), std::nullopt);
}

TEST(BatteryParse, EmptyDictionariesGiveTheDefaultReading)
{
    BatteryReading expected;
    expected.updated = 1700000000;
    EXPECT_EQ(BatteryParse::reading({}, {}, {}, 1700000000), expected);
}

TEST(BatteryParse, PercentIsCurrentOverMaxWithinZeroToAHundred)
{
    const PropertyDict none;
    // clang-format off
    const std::tuple<PropertyDict, PropertyDict, std::int64_t> cases[] = {
        { { { "Current Capacity", 4500 }, { "Max Capacity", 6000 } }, none, 75 },
        { { { "Current Capacity", 2 }, { "Max Capacity", 3 } }, none, 66 },
        { { { "Current Capacity", 150 }, { "Max Capacity", 100 } }, none, 100 },
        { { { "Current Capacity", -10 }, { "Max Capacity", 100 } }, none, 0 },
        { { { "Current Capacity", 42 }, { "Max Capacity", 0 } }, none, 42 },
        { { { "Current Capacity", 250 }, { "Max Capacity", -5 } }, none, 250 },
        { { { "Current Capacity", 57 } }, none, 57 },
        { { { "Max Capacity", 100 } }, none, 0 },
        { none, { { "CurrentCapacity", 7171 }, { "MaxCapacity", 7171 } }, 100 },
        { { { "Current Capacity", 50 } }, { { "CurrentCapacity", 10 }, { "MaxCapacity", 200 } }, 25 },
        { { { "Current Capacity", "50" } }, { { "CurrentCapacity", 30 } }, 30 },
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [power, registry, percent] = cases[i];
        EXPECT_EQ(parse(power, registry).percent, percent);
    }
}

TEST(BatteryParse, PercentIsExactEvenForHugeCapacities)
{
    // clang-format off
    const std::int64_t cases[][3] = { { 1, 3, 33 }, { 6999, 7000, 99 }, { 7, 7000, 0 },
        { int64Max, 100, 100 }, { int64Max, int64Max, 100 }, { int64Min, 1, 0 },
        { 200000000000000000, 400000000000000000, 50 }, { int64Max - 1, int64Max, 99 },
        { 99, 1000000000000000000, 0 } };
    // clang-format on
    for (const auto& [cur, max, percent] : cases) {
        SCOPED_TRACE(testing::Message() << cur << "/" << max);
        EXPECT_EQ(parse({ { "Current Capacity", cur }, { "Max Capacity", max } }).percent, percent);
    }
}

TEST(BatteryParse, FlagsTakeFirstBooleanInChain)
{
    EXPECT_FALSE(parse({ { "Is Charging", false } }, { { "IsCharging", true } }).charging);
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
    EXPECT_TRUE(parse({ { "Power Source State", 1 } }, connected).onAC);
    EXPECT_FALSE(parseRegistry({ { "ExternalConnected", 1 } }).onAC);
}

TEST(BatteryParse, MinutesLeftFollowsChargingAndDropsMarkers)
{
    const std::pair<std::int64_t, I> cases[]
        = { { 65535, {} }, { 65534, 65534 }, { 1, 1 }, { 0, {} }, { -1, {} } };
    for (const auto& [minutes, expected] : cases) {
        SCOPED_TRACE(minutes);
        EXPECT_EQ(parse({ { "Is Charging", true }, { "Time to Full Charge", minutes },
                            { "Time to Empty", 300 } })
                      .minutesLeft,
            expected);
        EXPECT_EQ(
            parse({ { "Time to Empty", minutes }, { "Time to Full Charge", 300 } }).minutesLeft,
            expected);
    }
    EXPECT_EQ(
        parseRegistry({ { "AvgTimeToEmpty", 271 }, { "AvgTimeToFull", 65535 } }).minutesLeft, 271);
    EXPECT_EQ(parseRegistry({ { "IsCharging", true }, { "AvgTimeToFull", 54 } }).minutesLeft, 54);
    // A present time in the power description stops the chain even when it is a marker.
    EXPECT_EQ(parse({ { "Time to Empty", -1 } }, { { "AvgTimeToEmpty", 300 } }).minutesLeft,
        std::nullopt);
}

TEST(BatteryParse, AmperageAndVoltageTakeTheFirstLinkThatHoldsANumber)
{
    EXPECT_EQ(
        parseRegistry({ { "InstantAmperage", std::int64_t { 4294966116 } }, { "Amperage", -900 } })
            .amperageMA,
        -1180);
    EXPECT_EQ(parseRegistry({ { "InstantAmperage", "n/a" }, { "Amperage", 7 } }).amperageMA, 7);
    EXPECT_EQ(parseBatteryData({}, { { "Amperage", 1500 } }).amperageMA, 1500);
    EXPECT_EQ(
        parseRegistry({ { "Voltage", 12000 }, { "AppleRawBatteryVoltage", 11000 } }).voltageMV,
        12000);
    EXPECT_EQ(parseRegistry({ { "AppleRawBatteryVoltage", 11000 } }).voltageMV, 11000);
}

TEST(BatteryParse, CurrentFallsBackToBatteryPowerOverVoltage)
{
    const PropertyDict volts12 { { "Voltage", 12000 } };
    const PropertyDict volt { { "Voltage", 1 } };
    // clang-format off
    const std::tuple<PropertyDict, PropertyValue, I> cases[] = { { volts12, -15000, -1250 },
        { volts12, -15001, -1250 }, { volts12, std::uint64_t { 18446744073709536616u }, -1250 },
        { volts12, 0, {} }, { volts12, "15000", {} }, { { { "Voltage", 0 } }, 15000, {} },
        { { { "Voltage", -12000 } }, 15000, {} }, { PropertyDict {}, 15000, {} },
        { { { "Voltage", 12000 }, { "Amperage", 3 } }, 15000, 3 },
        { { { "AppleRawBatteryVoltage", 3 } }, 7, 2333 },
        { volt, std::int64_t { 9223372036854775 }, 9223372036854775000 },
        { volt, std::int64_t { 9223372036854776 }, {} }, { volt, int64Min, {} },
        { { { "Voltage", int64Max } }, int64Max, {} } };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [registry, powerMW, amperage] = cases[i];
        EXPECT_EQ(parseBatteryData(registry, { { "BatteryPower", powerMW } }).amperageMA, amperage);
    }
}

TEST(BatteryParse, AdapterIsReadOnlyOnPower)
{
    const auto adapter = [](const PropertyValue& details, const char* source = "AC Power") {
        const auto r
            = parse({ { "Power Source State", source } }, { { "AdapterDetails", details } });
        return std::pair(r.adapterWatts, r.adapterName);
    };
    using Found = std::pair<I, std::optional<std::string>>;
    const PropertyDict named { { "Watts", 96 }, { "Name", "USB-C charger" } };
    EXPECT_EQ(adapter(named), Found(96, "USB-C charger"));
    EXPECT_EQ(adapter(named, "Battery Power"), Found());
    EXPECT_EQ(adapter(PropertyDict { { "Description", "pd charger" } }), Found({}, "pd charger"));
    EXPECT_EQ(adapter(PropertyDict { { "Name", 5 }, { "Description", "pd" } }), Found({}, "pd"));
    EXPECT_EQ(adapter("96W"), Found());
    // A recorded name passes the same cleaning as a live one.
    EXPECT_EQ(adapter(PropertyDict { { "Name", "\x1B]0;pwned\a\u202E" } }), Found({}, "]0;pwned"));
    EXPECT_EQ(adapter(PropertyDict { { "Name", "\n\t " } }), Found());
}

TEST(BatteryParse, CapacityChainsCrossRegistryAndBatteryData)
{
    const PropertyDict all { { "FullChargeCapacity", 4147 }, { "NominalChargeCapacity", 4274 },
        { "DesignCapacity", 4563 }, { "RemainingCapacity", 3334 }, { "CycleCount", 113 } };
    auto r = parseBatteryData({ { "DesignCapacity", 8579 }, { "AppleRawMaxCapacity", 8542 },
                                  { "NominalChargeCapacity", 8786 },
                                  { "AppleRawCurrentCapacity", 6578 }, { "CycleCount", 67 } },
        all);
    EXPECT_EQ(std::tuple(r.designCapacity, r.fullCapacity, r.remainingCapacity, r.cycles),
        std::tuple(8579, 4147, 3334, 67));

    r = parseBatteryData({ { "AppleRawMaxCapacity", 8542 }, { "NominalChargeCapacity", 8786 },
                             { "AppleRawCurrentCapacity", 6578 } },
        { { "NominalChargeCapacity", 4274 }, { "DesignCapacity", 4563 } });
    EXPECT_EQ(std::tuple(r.designCapacity, r.fullCapacity, r.remainingCapacity),
        std::tuple(4563, 8542, 6578));
    EXPECT_EQ(parseBatteryData(
                  { { "NominalChargeCapacity", 8786 } }, { { "NominalChargeCapacity", 4274 } })
                  .fullCapacity,
        4274);
    EXPECT_EQ(parseRegistry({ { "NominalChargeCapacity", 8786 } }).fullCapacity, 8786);
}

TEST(BatteryParse, MistypedKeysFallThroughToTheNextLink)
{
    EXPECT_EQ(parseBatteryData({ { "CycleCount", "90" } }, { { "CycleCount", 291 } }).cycles, 291);
    EXPECT_EQ(parseRegistry({ { "CycleCount", true } }).cycles, std::nullopt);
    EXPECT_EQ(parseRegistry({ { "BatteryData", "broken" }, { "AppleRawMaxCapacity", 8542 } })
                  .fullCapacity,
        8542);
}

TEST(BatteryParse, TemperatureTakesFirstCandidateInRange)
{
    // clang-format off
    const std::tuple<PropertyDict, PropertyDict, std::optional<double>> cases[] = {
        { { { "Temperature", 3050 } }, { { "Temperature", 0 } }, 30.5 },
        { { { "Temperature", 3050 } }, { { "Temperature", 3300 } }, 33.0 },
        { PropertyDict {}, { { "VirtualTemperature", 9000 } }, {} },
        { { { "Temperature", 500 } }, {}, 5.0 }, { { { "Temperature", 499 } }, {}, {} },
        { { { "Temperature", 8000 } }, {}, 80.0 },
        { { { "Temperature", 8001 } }, { { "VirtualTemperature", 3700 } }, 37.0 },
        { { { "Temperature", -27315 } }, {}, {} }, { { { "Temperature", 3050.9 } }, {}, 30.5 },
        { { { "Temperature", "3050" } }, {}, {} } };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [registry, pack, celsius] = cases[i];
        EXPECT_EQ(parse({}, registry, pack).temperatureC, celsius);
    }
}

TEST(BatteryParse, ChargerReasonsCopiedOnlyFromChargerData)
{
    const auto reasons = [](const PropertyDict& registry) {
        const auto r = parseRegistry(registry);
        return std::tuple(r.notChargingReason, r.slowChargingReason, r.thermallyLimitedSeconds);
    };
    EXPECT_EQ(reasons({ { "ChargerData", PropertyDict { { "NotChargingReason", 0 } } } }),
        std::tuple(I(0), I(), I()));
    EXPECT_EQ(reasons({ { "ChargerData",
                  PropertyDict { { "NotChargingReason", 16777216 }, { "SlowChargingReason", 2 },
                      { "TimeChargingThermallyLimited", 120 } } } }),
        std::tuple(I(16777216), I(2), I(120)));
    EXPECT_EQ(
        reasons({ { "NotChargingReason", 1 }, { "ChargerData", 1 } }), std::tuple(I(), I(), I()));
}
