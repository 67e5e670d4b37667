#include "power_supply_tree.h"

#include "platform/linux/sysfs_battery_reader.h"
#include "platform/linux/sysfs_power_supply.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace wattlet {
namespace {

    using Opt = std::optional<std::int64_t>;
    constexpr double now = test::readingTime;
    using test::readTree;
    constexpr auto none = std::nullopt;

    struct Expected
    {
        const char* fixture;
        bool battery;
        std::int64_t percent = 0;
        bool charging = false;
        bool onAC = false;
        bool full = false;
        Opt minutesLeft = {};
        Opt amperageMA = {};
        Opt voltageMV = {};
        Opt designCapacity = {};
        Opt fullCapacity = {};
        Opt remainingCapacity = {};
        Opt cycles = {};
        std::optional<double> temperatureC = {};
        Opt notChargingReason = 0;
    };

    // Every value below was worked out by hand from the recorded dump.
    const Expected fixtures[] = {
        { "01-dell-bat0-charge-discharging", true, 98, false, false, false, 375, -756, 12600, 4912,
            4804, 4723, none, none },
        { "03-toshiba-bat1-charge-unknown", true, 100, false, true, true, none, 1, 12439, 4000,
            3328, 3328, none, none },
        { "04-chromebook-hana-sbs-discharging", true, 71, false, false, false, 805, -202, 11810,
            3735, 3648, 2603, 7, 27.2 },
        { "05-dell-xps13-ucsi-usbc-grep", false },
        { "06-chromebook-ucsi-pps-charger-67w-a", false },
        { "06-chromebook-ucsi-pps-charger-67w-b", false },
        { "07-chromebooks-lazor-juniper-sbs-full-a", true, 97, false, true, true, none, 0, 12293,
            4200, 3555, 3451, 2, 19.4 },
        { "07-chromebooks-lazor-juniper-sbs-full-b", true, 99, false, true, true, none, 0, 8210,
            4865, 4284, 4262, 8, 21.5 },
        { "08-logitech-hidpp-mouse-device-scope", false },
        { "10-thinkpad-42t4865-charge-charging-worn", true, 27, true, true, false, 26, 2977, 12796,
            5600, 1802, 501, none, none },
        { "11-dell-xps15-bat1-energy-full-no-power-now", true, 100, false, true, true, none, none,
            12782, 8004, 7846, 7846, none, none },
        { "14-xppen-tablet-hid-battery-device-scope-a", false },
        { "14-xppen-tablet-hid-battery-device-scope-b", false },
        { "15-samsung-series9-adp1-bat1-udevdb-no-capacity", true, 26, false, false, false, 54,
            -1825, 7435, 6300, 6300, 1638, none, none },
        { "19-framework-bat1-grep-threshold-85-partial", true, 85, false, true, false, none, 0,
            none, 5491, 5595, 4759, 28, none },
        { "21-gta04-bq27000-garbage-zeros-temp-minus-273-a", false },
        { "21-gta04-bq27000-garbage-zeros-temp-minus-273-b", true, 82, false, false, false, 128,
            -354, 3970, 1234, 935, 764, 82, 26.6 },
        { "22-ac0-bat0-udev-events-tlpstat-pev-partial", true, 79, true, true, false, 89, 478,
            11400, 4240, 3544, 2833, 283, none },
        { "25-bq78z100-instrument-negative-current-time-to-empty-vanishes-a", true, 27, false,
            false, false, 20832, -5, 3386, 6000, 6494, 1736, 1, 26.9 },
        { "25-bq78z100-instrument-negative-current-time-to-empty-vanishes-b", true, 27, false,
            false, false, none, 0, 3386, 6000, 6494, 1734, 1, 27.0 },
        { "26-sbs-battery-negative-current-temp", true, 76, false, false, false, 6748, -26, 11441,
            3800, 3898, 2924, 12, 19.8 },
        { "30-thinkpad-t14g2-threshold-files-with-legacy-aliases", false },
        { "32-thinkpad-t470-dual-battery-bat0-unknown-bat1-full", true, 99, false, true, true, none,
            none, 12875, 4210, 4068, 4047, 3, none },
    };

    TEST(LinuxFixtures, EachRecordedTreeGivesTheReadingWorkedOutByHand)
    {
        for (const auto& expected : fixtures) {
            SCOPED_TRACE(expected.fixture);
            const auto reading = readTree(test::fixtureTree(expected.fixture));
            ASSERT_EQ(reading.has_value(), expected.battery);
            if (!reading)
                continue;
            EXPECT_EQ(reading->percent, expected.percent);
            EXPECT_EQ(reading->charging, expected.charging);
            EXPECT_EQ(reading->onAC, expected.onAC);
            EXPECT_EQ(reading->full, expected.full);
            EXPECT_EQ(reading->minutesLeft, expected.minutesLeft);
            EXPECT_EQ(reading->amperageMA, expected.amperageMA);
            EXPECT_EQ(reading->voltageMV, expected.voltageMV);
            EXPECT_EQ(reading->designCapacity, expected.designCapacity);
            EXPECT_EQ(reading->fullCapacity, expected.fullCapacity);
            EXPECT_EQ(reading->remainingCapacity, expected.remainingCapacity);
            EXPECT_EQ(reading->cycles, expected.cycles);
            EXPECT_EQ(reading->temperatureC, expected.temperatureC);
            EXPECT_EQ(reading->notChargingReason, expected.notChargingReason);
            EXPECT_EQ(reading->slowChargingReason, 0);
            EXPECT_EQ(reading->adapterWatts, std::nullopt);
            EXPECT_EQ(reading->adapterName, std::nullopt);
            EXPECT_EQ(reading->thermallyLimitedSeconds, std::nullopt);
            EXPECT_EQ(reading->updated, now);
        }
    }

    TEST(LinuxFixtures, UeventAndAttributeFilesMapAlike)
    {
        for (const auto& expected : fixtures) {
            SCOPED_TRACE(expected.fixture);
            const auto root = test::fixtureTree(expected.fixture);
            RateSmoother first;
            RateSmoother second;
            EXPECT_EQ(
                batteryDictionaries(readPowerSupplies(root, SysfsReadMode::uevent), first, now),
                batteryDictionaries(
                    readPowerSupplies(root, SysfsReadMode::attributeFiles), second, now));
        }
    }

    TEST(LinuxFixtures, OnlineUsbCChargerGivesItsRatingAndKind)
    {
        for (const auto& [charger, watts] :
            { std::pair { "06-chromebook-ucsi-pps-charger-67w-a", 78 },
                std::pair { "06-chromebook-ucsi-pps-charger-67w-b", 80 } }) {
            SCOPED_TRACE(charger);
            test::PowerSupplyTree tree;
            tree.copy("10-thinkpad-42t4865-charge-charging-worn", "BAT0");
            tree.copy(charger, "ucsi-source-psy-cros_ec_ucsi.4.auto2");
            const auto reading = readTree(tree.root());
            ASSERT_TRUE(reading);
            EXPECT_TRUE(reading->onAC);
            EXPECT_EQ(reading->adapterWatts, watts);
            EXPECT_EQ(reading->adapterName, "USB-C PD");
        }
    }

    TEST(LinuxFixtures, ImplausibleOrMissingUsbRatingShowsNoWatts)
    {
        test::PowerSupplyTree tree;
        tree.copy("10-thinkpad-42t4865-charge-charging-worn", "BAT0");
        tree.copy("06-chromebook-ucsi-pps-charger-67w-b", "ucsi-source-psy-cros_ec_ucsi.4.auto2");
        const auto supply = "ucsi-source-psy-cros_ec_ucsi.4.auto2";
        tree.set(supply, "current_max", "12100000");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, std::nullopt);
        tree.set(supply, "current_max", "12000000");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, 240);
        tree.remove(supply, "current_max");
        EXPECT_EQ(readTree(tree.root())->adapterWatts, std::nullopt);
        tree.set(supply, "input_power_limit", "45000000");
        tree.set(supply, "manufacturer", "Acme");
        tree.set(supply, "model_name", "PowerPort 45");
        const auto reading = readTree(tree.root());
        EXPECT_EQ(reading->adapterWatts, 45);
        EXPECT_EQ(reading->adapterName, "Acme PowerPort 45");
    }

    TEST(LinuxFixtures, OfflineUsbCPortMeansBatteryPowerAndNoAdapter)
    {
        test::PowerSupplyTree tree;
        tree.copy("03-toshiba-bat1-charge-unknown", "BAT1");
        tree.copy("05-dell-xps13-ucsi-usbc-grep", "ucsi-source-psy-USBC000:001");
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_FALSE(reading->onAC);
        EXPECT_FALSE(reading->full);
        EXPECT_EQ(reading->amperageMA, -1);
        EXPECT_EQ(reading->adapterWatts, std::nullopt);
        EXPECT_EQ(reading->adapterName, std::nullopt);
    }

    TEST(LinuxFixtures, MiceAndTabletsNeverStandInForTheLaptopBattery)
    {
        test::PowerSupplyTree tree;
        tree.copy("08-logitech-hidpp-mouse-device-scope", "hidpp_battery_2");
        tree.copy("14-xppen-tablet-hid-battery-device-scope-b", "hid-28bd-933-battery");
        tree.copy("01-dell-bat0-charge-discharging", "BAT0");
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_EQ(reading->percent, 98);
        EXPECT_EQ(reading->designCapacity, 4912);
        // The tablet's own "online" is not external power for the laptop.
        EXPECT_FALSE(reading->onAC);
    }

    TEST(LinuxFixtures, UntypedAdapterIsRecognisedByItsOnlineFile)
    {
        test::PowerSupplyTree tree;
        tree.copy("15-samsung-series9-adp1-bat1-udevdb-no-capacity", "ADP1");
        tree.copy("15-samsung-series9-adp1-bat1-udevdb-no-capacity", "BAT1");
        tree.set("ADP1", "online", "1");
        tree.set("BAT1", "status", "Charging");
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_TRUE(reading->onAC);
        EXPECT_EQ(reading->amperageMA, 1825);
    }

} // namespace
} // namespace wattlet
