#include "power_supply_tree.h"

#include "core/reading_json.h"
#include "platform/linux/sysfs_battery_reader.h"
#include "platform/linux/sysfs_power_supply.h"
#include "support/fixture_table.h"

#include <gtest/gtest.h>

#include <string>

namespace wattlet {
namespace {

    constexpr double now = test::readingTime;
    using test::readTree;

    TEST(LinuxFixtures, EachRecordedTreeGivesTheReadingWorkedOutByHand)
    {
        const auto table
            = test::fixtureTable(WATTLET_TEST_DATA "/platform/power_supply_readings.tsv");
        ASSERT_FALSE(table.empty());
        for (const auto& [tree, expected] : table) {
            const auto root = test::fixtureTree(tree);
            SCOPED_TRACE(tree);
            const auto reading = readTree(root);
            EXPECT_EQ(reading ? readingJson(*reading) : "none", expected);

            // A uevent file and the single attribute files say the same.
            RateSmoother first;
            RateSmoother second;
            EXPECT_EQ(
                batteryDictionaries(readPowerSupplies(root, SysfsReadMode::uevent), first, now),
                batteryDictionaries(
                    readPowerSupplies(root, SysfsReadMode::attributeFiles), second, now));
        }
    }

    TEST(LinuxFixtures, OnlineUsbCChargerGivesItsPlausibleRating)
    {
        test::PowerSupplyTree tree;
        tree.copy("10-thinkpad-42t4865-charge-charging-worn", "BAT0");
        const auto supply = "ucsi-source-psy-cros_ec_ucsi.4.auto2";
        tree.copy("06-chromebook-ucsi-pps-charger-67w-a", supply);
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_TRUE(reading->onAC);
        EXPECT_EQ(reading->adapterWatts, 78); // 13.4 V × 5.79 A, rounded
        EXPECT_EQ(reading->adapterName, "USB-C PD");

        // An implausible or missing rating shows no watts.
        tree.set(supply, "voltage_max", "20000000");
        tree.set(supply, "current_max", "12100000");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, std::nullopt);
        tree.set(supply, "current_max", "");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, std::nullopt);
        tree.set(supply, "input_power_limit", "45000000");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, 45);
        tree.set(supply, "online", "0");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, std::nullopt);
        tree.set(supply, "online", "1");

        // The charger's own name, made safe, where it gives a readable one.
        tree.set(supply, "manufacturer", "\x1B[31mAcme\u202E\a");
        tree.set(supply, "model_name", "Power\tPort");
        EXPECT_EQ(readTree(tree.root())->adapterName, "[31mAcme Power Port");
        tree.set(supply, "manufacturer", "\x1B\a");
        tree.set(supply, "model_name", "\u2066\u2069");
        EXPECT_EQ(readTree(tree.root())->adapterName, "USB-C PD");
    }

    TEST(LinuxFixtures, OnlySuppliesOfTheMachineCount)
    {
        test::PowerSupplyTree tree;
        tree.copy("08-logitech-hidpp-mouse-device-scope", "hidpp_battery_2");
        tree.copy("14-xppen-tablet-hid-battery-device-scope-b", "hid-28bd-933-battery");
        tree.copy("01-dell-bat0-charge-discharging", "BAT0");
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_EQ(reading->percent, 98);
        // The tablet's own "online" is not external power for the laptop.
        EXPECT_FALSE(reading->onAC);

        // An untyped adapter is recognised by its online file.
        test::PowerSupplyTree samsung;
        samsung.copy("15-samsung-series9-adp1-bat1-udevdb-no-capacity", "ADP1");
        samsung.copy("15-samsung-series9-adp1-bat1-udevdb-no-capacity", "BAT1");
        samsung.set("ADP1", "online", "1");
        samsung.set("BAT1", "status", "Charging");
        const auto charging = readTree(samsung.root());
        ASSERT_TRUE(charging);
        EXPECT_TRUE(charging->onAC);
        EXPECT_EQ(charging->amperageMA, 1825);
    }

} // namespace
} // namespace wattlet
