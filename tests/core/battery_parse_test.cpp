#include "core/battery_parse.h"
#include "core/reading_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

PropertyDict batteryData(PropertyDict registry, const PropertyDict& data)
{
    registry.emplace("BatteryData", data);
    return registry;
}

} // namespace

TEST(BatteryParse, IntValueReadsThe32BitRangeAsSigned)
{
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<PropertyValue, I> cases[] = { { 42, 42 },
        { std::int64_t { 2147483647 }, 2147483647 }, { std::int64_t { 2147483648 }, -2147483648 },
        { std::int64_t { 4294967295 }, -1 }, { std::int64_t { 4294967296 }, 4294967296 },
        { int64Min, int64Min }, { std::uint64_t { 18446744073709550524u }, -1092 },
        { std::uint64_t { 9223372036854775808u }, int64Min }, { -12.9, -12 },
        { 4294966116.0, -1180 }, { -0x1p63, int64Min }, { 0x1p63, {} }, { -1e19, {} },
        { std::nan(""), {} }, { -inf, {} }, { true, {} }, { "90", {} },
        { PropertyValue::Other {}, {} } };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(BatteryParse::intValue(&cases[i].first), cases[i].second);
    }
    EXPECT_EQ(BatteryParse::intValue(nullptr), std::nullopt);
}

TEST(BatteryParse, PercentIsCurrentOverMaxWithinZeroToAHundred)
{
    const PropertyDict none;
    const auto power = [](std::int64_t current, std::int64_t max) {
        return PropertyDict { { "Current Capacity", current }, { "Max Capacity", max } };
    };
    // clang-format off
    const std::tuple<PropertyDict, PropertyDict, std::int64_t> cases[] = {
        { power(2, 3), none, 66 }, { power(150, 100), none, 100 },
        { power(-10, 100), none, 0 }, { power(42, 0), none, 42 }, { power(250, -5), none, 250 },
        { { { "Current Capacity", 57 } }, none, 57 }, { { { "Max Capacity", 100 } }, none, 0 },
        { none, { { "CurrentCapacity", 7171 }, { "MaxCapacity", 7171 } }, 100 },
        { { { "Current Capacity", 50 } }, { { "CurrentCapacity", 10 }, { "MaxCapacity", 200 } }, 25 },
        { { { "Current Capacity", "50" } }, { { "CurrentCapacity", 30 } }, 30 },
        // Exact even where the product overflows.
        { power(int64Max, 100), none, 100 }, { power(int64Min, 1), none, 0 },
        { power(int64Max - 1, int64Max), none, 99 }, { power(99, 1000000000000000000), none, 0 },
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [powerDict, registry, percent] = cases[i];
        EXPECT_EQ(parse(powerDict, registry).percent, percent);
    }
}

TEST(BatteryParse, MinutesLeftIsTheTimeInTheDirectionOfChargeWithoutMarkers)
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
        EXPECT_EQ(parse({ { "Time to Empty", minutes } }).timeSettling, minutes == 65535);
    }
    // A present time in the power description stops the chain even when it is a marker.
    EXPECT_EQ(parse({ { "Time to Empty", -1 } }, { { "AvgTimeToEmpty", 300 } }).minutesLeft,
        std::nullopt);
}

// Each value as the --json line names it (null when absent) from the first link of its chain
// that holds a value of the right type.
TEST(BatteryParse, EachValueComesFromTheFirstUsableLinkOfItsChain)
{
    const PropertyDict none;
    const PropertyDict connected { { "ExternalConnected", true } };
    const PropertyDict onAC { { "Power Source State", "AC Power" } };
    const auto adapter = [](const PropertyValue& details) {
        return PropertyDict { { "AdapterDetails", details } };
    };
    const PropertyDict everywhere
        = batteryData({ { "DesignCapacity", 8579 }, { "AppleRawMaxCapacity", 8542 },
                          { "NominalChargeCapacity", 8786 }, { "AppleRawCurrentCapacity", 6578 },
                          { "CycleCount", 67 } },
            { { "FullChargeCapacity", 4147 }, { "NominalChargeCapacity", 4274 },
                { "DesignCapacity", 4563 }, { "RemainingCapacity", 3334 }, { "CycleCount", 113 } });
    struct Case
    {
        PropertyDict power, registry;
        const char* key;
        nlohmann::json value;
    };
    // clang-format off
    const Case cases[] = {
        { { { "Is Charging", false } }, { { "IsCharging", true } }, "charging", false },
        { { { "Is Charging", "Yes" } }, { { "IsCharging", true } }, "charging", true },
        { { { "Is Charging", 1 } }, none, "charging", false },
        { { { "Is Charged", true } }, { { "FullyCharged", false } }, "full", true },
        { none, { { "FullyCharged", true } }, "full", true },
        { onAC, none, "onAC", true },
        { { { "Power Source State", "Battery Power" } }, connected, "onAC", false },
        { { { "Power Source State", 1 } }, connected, "onAC", true },
        { none, { { "ExternalConnected", 1 } }, "onAC", false },
        { none, { { "InstantAmperage", "n/a" }, { "Amperage", 7 } }, "amperageMA", 7 },
        { none, batteryData({}, { { "Amperage", 1500 } }), "amperageMA", 1500 },
        { none, { { "Voltage", 12000 }, { "AppleRawBatteryVoltage", 11000 } }, "voltageMV", 12000 },
        { none, { { "AppleRawBatteryVoltage", 11000 } }, "voltageMV", 11000 },
        { none, everywhere, "designCapacity", 8579 }, { none, everywhere, "fullCapacity", 4147 },
        { none, everywhere, "remainingCapacity", 3334 }, { none, everywhere, "cycles", 67 },
        { none, batteryData({ { "NominalChargeCapacity", 8786 } }, { { "NominalChargeCapacity", 4274 } }), "fullCapacity", 4274 },
        { none, { { "NominalChargeCapacity", 8786 } }, "fullCapacity", 8786 },
        { none, batteryData({ { "CycleCount", "90" } }, { { "CycleCount", 291 } }), "cycles", 291 },
        { none, { { "BatteryData", "broken" }, { "AppleRawMaxCapacity", 8542 } }, "fullCapacity", 8542 },
        { { { "Power Source State", "Battery Power" } }, adapter(PropertyDict { { "Watts", 96 } }), "adapterWatts", nullptr },
        { onAC, adapter(PropertyDict { { "Name", 5 }, { "Description", "pd" } }), "adapterName", "pd" },
        { onAC, adapter("96W"), "adapterWatts", nullptr },
        // A recorded name passes the same cleaning as a live one.
        { onAC, adapter(PropertyDict { { "Name", "\x1B]0;pwned\a\u202E" } }), "adapterName", "]0;pwned" },
        { onAC, adapter(PropertyDict { { "Name", "\n\t " } }), "adapterName", nullptr },
        { none, { { "NotChargingReason", 1 }, { "ChargerData", 1 } }, "notChargingReason", nullptr },
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << i << " " << cases[i].key);
        const auto json
            = nlohmann::json::parse(wattlet::readingJson(parse(cases[i].power, cases[i].registry)));
        EXPECT_EQ(json.value(cases[i].key, nlohmann::json()), cases[i].value);
    }
}

TEST(BatteryParse, CurrentFallsBackToBatteryPowerOverVoltage)
{
    const PropertyDict volts12 { { "Voltage", 12000 } };
    const PropertyDict volt { { "Voltage", 1 } };
    // clang-format off
    const std::tuple<PropertyDict, PropertyValue, I> cases[] = { { volts12, -15001, -1250 },
        { volts12, 0, {} }, { volts12, "15000", {} },
        { { { "Voltage", 0 } }, 15000, {} }, { { { "Voltage", -12000 } }, 15000, {} },
        { { { "Voltage", 12000 }, { "Amperage", 3 } }, 15000, 3 },
        { { { "AppleRawBatteryVoltage", 3 } }, 7, 2333 },
        { volt, std::int64_t { 9223372036854775 }, 9223372036854775000 },
        { volt, std::int64_t { 9223372036854776 }, {} }, { volt, int64Min, {} },
        { { { "Voltage", int64Max } }, int64Max, {} } };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [registry, powerMW, amperage] = cases[i];
        EXPECT_EQ(
            parse({}, batteryData(registry, { { "BatteryPower", powerMW } })).amperageMA, amperage);
    }
}

TEST(BatteryParse, TemperatureTakesFirstCandidateInRange)
{
    // clang-format off
    const std::tuple<PropertyDict, PropertyDict, std::optional<double>> cases[] = {
        { { { "Temperature", 3050 } }, { { "Temperature", 0 } }, 30.5 },
        { PropertyDict {}, { { "VirtualTemperature", 9000 } }, {} },
        { { { "Temperature", 500 } }, {}, 5.0 }, { { { "Temperature", 499 } }, {}, {} },
        { { { "Temperature", 8001 } }, { { "VirtualTemperature", 3700 } }, 37.0 },
        { { { "Temperature", 3050.9 } }, {}, 30.5 }, { { { "Temperature", "3050" } }, {}, {} } };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [registry, pack, celsius] = cases[i];
        EXPECT_EQ(parse({}, registry, pack).temperatureC, celsius);
    }
}
