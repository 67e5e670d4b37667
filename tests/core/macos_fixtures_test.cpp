#include "core/battery_parse.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <ostream>

using wattlet::BatteryReading;
using W = BatteryReading::Warning;

namespace wattlet {

// Readable failure messages for whole-reading comparisons.
void PrintTo(const BatteryReading& r, std::ostream* os)
{
    const auto opt = [os](const char* name, const auto& value) {
        *os << ' ' << name << '=';
        if (value)
            *os << *value;
        else
            *os << '-';
    };
    *os << "{present=" << r.present << " percent=" << r.percent << " charging=" << r.charging
        << " onAC=" << r.onAC << " full=" << r.full;
    opt("minutesLeft", r.minutesLeft);
    opt("amperageMA", r.amperageMA);
    opt("voltageMV", r.voltageMV);
    opt("adapterWatts", r.adapterWatts);
    opt("adapterName", r.adapterName);
    opt("designCapacity", r.designCapacity);
    opt("fullCapacity", r.fullCapacity);
    opt("remainingCapacity", r.remainingCapacity);
    opt("cycles", r.cycles);
    opt("temperatureC", r.temperatureC);
    opt("notChargingReason", r.notChargingReason);
    opt("slowChargingReason", r.slowChargingReason);
    opt("thermallyLimitedSeconds", r.thermallyLimitedSeconds);
    *os << " updated=" << r.updated << '}';
}

} // namespace wattlet

namespace {

constexpr double now = 1700000000;

BatteryReading parseFixture(const std::string& name)
{
    std::ifstream file(std::string(WATTLET_FIXTURES) + "/macos-dicts/" + name);
    EXPECT_TRUE(file) << name;
    const auto json = nlohmann::json::parse(file, nullptr, false);
    EXPECT_TRUE(json.is_object()) << name;
    const auto dict = [&json](const char* key) {
        return wattlet::propertyDictFromJson(json.value(key, nlohmann::json::object()));
    };
    return wattlet::BatteryParse::reading(dict("power"), dict("registry"), dict("pack"), now);
}

BatteryReading stamped()
{
    BatteryReading r;
    r.updated = now;
    return r;
}

} // namespace

TEST(MacosFixtures, IntelChargedOnBatteryWithoutBatteryData)
{
    const auto r = parseFixture("01-intel-mba2012-ioreg-charged-on-battery.json");
    BatteryReading expected = stamped();
    expected.percent = 100;
    expected.full = true;
    expected.amperageMA = 0;
    expected.voltageMV = 8539;
    expected.designCapacity = 7150;
    expected.cycles = 8;
    expected.temperatureC = 30.41;
    EXPECT_EQ(r, expected);
    EXPECT_EQ(r.state(), BatteryReading::State::discharging);
    EXPECT_EQ(r.health(), std::nullopt);
    EXPECT_DOUBLE_EQ(*r.watts(), 0.0);
    EXPECT_TRUE(r.warnings().empty());
    EXPECT_EQ(r.symbol(), "battery.100percent");
}

TEST(MacosFixtures, IntelDischargingWithWrappedUnsignedAmperage)
{
    const auto r = parseFixture("02-intel-mbp-2017-ioreg-discharging-wrapped-amperage.json");
    BatteryReading expected = stamped();
    expected.percent = 80;
    expected.minutesLeft = 271;
    expected.amperageMA = -1092;
    expected.voltageMV = 11974;
    expected.designCapacity = 6559;
    expected.cycles = 155;
    expected.temperatureC = 29.91;
    EXPECT_EQ(r, expected);
    EXPECT_DOUBLE_EQ(*r.watts(), -13.075608);
    EXPECT_EQ(r.dot(), "green");
    EXPECT_EQ(r.fillSymbol(), "battery.75percent");
}

TEST(MacosFixtures, IntelChargingOnACWithoutAdapterDetails)
{
    const auto r = parseFixture("03-intel-mbp-ioreg-charging-ac.json");
    BatteryReading expected = stamped();
    expected.percent = 84;
    expected.charging = true;
    expected.onAC = true;
    expected.minutesLeft = 54;
    expected.amperageMA = 2465;
    expected.voltageMV = 12500;
    expected.designCapacity = 6900;
    expected.cycles = 46;
    expected.temperatureC = 30.94;
    EXPECT_EQ(r, expected);
    EXPECT_DOUBLE_EQ(*r.watts(), 30.8125);
    EXPECT_EQ(r.state(), BatteryReading::State::charging);
    EXPECT_EQ(r.dot(), "blue");
    EXPECT_EQ(r.symbol(), "battery.100percent.bolt");
}

TEST(MacosFixtures, AppleSiliconFilteredDumpFallsBackToBatteryData)
{
    // The dump was filtered: no charge level and no connection flag survived.
    const auto r = parseFixture("05-m1pro-ioreg-grep-charging-45w.json");
    BatteryReading expected = stamped();
    expected.charging = true;
    expected.amperageMA = 1926;
    expected.voltageMV = 11928;
    expected.designCapacity = 8400;
    expected.cycles = 291;
    expected.notChargingReason = 0;
    expected.slowChargingReason = 0;
    expected.thermallyLimitedSeconds = 0;
    EXPECT_EQ(r, expected);
    EXPECT_DOUBLE_EQ(*r.watts(), 22.973328);
    EXPECT_EQ(r.warnings(), std::vector<W> { W::critical });
}

TEST(MacosFixtures, AppleSiliconChargingWithNamedAdapter)
{
    const auto r = parseFixture("08-m4max-macos26-json-charging-140w-apple.json");
    BatteryReading expected = stamped();
    expected.percent = 78;
    expected.charging = true;
    expected.onAC = true;
    expected.minutesLeft = 70;
    expected.amperageMA = 3702;
    expected.voltageMV = 12679;
    expected.adapterWatts = 140;
    expected.adapterName = "140W USB-C Power Adapter";
    expected.designCapacity = 8579;
    expected.fullCapacity = 8542;
    expected.remainingCapacity = 6578;
    expected.cycles = 67;
    expected.temperatureC = 31.02;
    expected.notChargingReason = 0;
    expected.slowChargingReason = 0;
    expected.thermallyLimitedSeconds = 0;
    EXPECT_EQ(r, expected);
    EXPECT_EQ(r.health(), 100);
    EXPECT_DOUBLE_EQ(*r.watts(), 46.937658);
    EXPECT_TRUE(r.warnings().empty());
    EXPECT_EQ(r.dot(), "blue");
}

TEST(MacosFixtures, AppleSiliconOptimizedHoldWithUnnamedAdapter)
{
    const auto r = parseFixture("10-m3air-macos27-json-80pct-hold-unknown-adapter.json");
    BatteryReading expected = stamped();
    expected.percent = 80;
    expected.onAC = true;
    expected.amperageMA = 0;
    expected.voltageMV = 12507;
    expected.adapterWatts = 90;
    expected.designCapacity = 4563;
    expected.fullCapacity = 4147;
    expected.remainingCapacity = 3334;
    expected.cycles = 113;
    expected.notChargingReason = 16777216;
    expected.slowChargingReason = 0;
    expected.thermallyLimitedSeconds = 0;
    EXPECT_EQ(r, expected);
    EXPECT_EQ(r.state(), BatteryReading::State::hold);
    EXPECT_TRUE(r.optimizedHold());
    EXPECT_EQ(r.health(), 91);
    EXPECT_TRUE(r.warnings().empty());
    EXPECT_EQ(r.dot(), "green");
}

TEST(MacosFixtures, PackTemperatureNestedInBatteryDataIsNotRead)
{
    EXPECT_EQ(parseFixture("11-m2air-macos27-smartbatterypack-tree-charging.json"), stamped());
}

TEST(MacosFixtures, DesktopWithoutBatteryReadsAsEmptyHoldOnAC)
{
    const auto r = parseFixture("14-m4-macmini-ioreg-xml-no-battery-PARTIAL.json");
    BatteryReading expected = stamped();
    expected.onAC = true;
    expected.amperageMA = 0;
    expected.cycles = 0;
    EXPECT_EQ(r, expected);
    EXPECT_EQ(r.state(), BatteryReading::State::hold);
    EXPECT_TRUE(r.warnings().empty());
}
