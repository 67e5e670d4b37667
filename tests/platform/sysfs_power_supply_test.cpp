#include "power_supply_tree.h"

#include "core/battery_parse.h"
#include "platform/linux/battery_dictionaries.h"
#include "platform/linux/sysfs_battery_reader.h"
#include "platform/linux/sysfs_power_supply.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace wattlet {
namespace {

    using test::readTree;

    TEST(PowerSupply, NumbersAreWholeDecimalsElseAbsent)
    {
        const std::pair<const char*, std::optional<std::int64_t>> cases[]
            = { { " 5753", 5753 }, { "-2731", -2731 }, { "+5\n", 5 }, { "", {} }, { "12abc", {} },
                  { "99999999999999999999", {} } };
        for (const auto& [text, number] : cases) {
            SCOPED_TRACE(text);
            EXPECT_EQ((PowerSupply { "BAT0", { { "a", text } } }.number("a")), number);
        }
    }

    TEST(BatteryPack, GlitchedCurrentShowsNoPowerRatherThanAnAbsurdOne)
    {
        const std::vector<PowerSupply> supplies { { "BAT0",
            { { "type", "Battery" }, { "status", "Discharging" }, { "capacity", "60" },
                { "current_now", "4294967295" }, { "voltage_now", "12000000" } } } };
        RateSmoother smoother;
        const auto found = batteryDictionaries(supplies, smoother, 0);
        ASSERT_TRUE(found);
        const auto reading = BatteryParse::reading(found->power, found->registry, found->pack, 0);
        EXPECT_EQ(reading.amperageMA, std::nullopt);
        EXPECT_EQ(reading.watts(), std::nullopt);
        EXPECT_EQ(reading.voltageMV, 12000);
    }

    TEST(SysfsBatteryReader, SentinelValuesAreAbsentNotZero)
    {
        test::PowerSupplyTree tree;
        tree.copy("04-chromebook-hana-sbs-discharging", "sbs-6-000b");
        const auto sbs = "sbs-6-000b";
        tree.set(sbs, "capacity", "n/a");
        tree.set(sbs, "temp", "-2731");
        tree.set(sbs, "cycle_count", "0");
        tree.set(sbs, "time_to_empty_now", "3932100");
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_EQ(reading->percent, 71); // 2603000 / 3648000
        EXPECT_EQ(reading->temperatureC, std::nullopt);
        EXPECT_EQ(reading->cycles, std::nullopt);
        EXPECT_EQ(reading->minutesLeft, 773); // 2603 mAh at 202 mA, not the sentinel's 65535
    }

    TEST(PowerSupply, UnreadableVanishedOrEmptyAttributesAreAbsent)
    {
        test::PowerSupplyTree tree;
        tree.copy("19-framework-bat1-grep-threshold-85-partial", "BAT1");
        const auto bat = tree.root() / "BAT1";
        // A folder where a file should be fails to read like an attribute answering EIO.
        std::filesystem::remove(bat / "capacity");
        std::filesystem::create_directory(bat / "capacity");
        // A link to nothing stands for a file that vanished between listing and reading.
        std::filesystem::remove(bat / "status");
        std::filesystem::create_symlink(bat / "gone", bat / "status");
        std::ofstream(bat / "cycle_count").flush();
        for (const auto mode : { SysfsReadMode::uevent, SysfsReadMode::attributeFiles }) {
            const auto supplies = readPowerSupplies(tree.root(), mode);
            ASSERT_EQ(supplies.size(), 1U);
            EXPECT_FALSE(supplies[0].attributes.contains("capacity"));
            EXPECT_FALSE(supplies[0].attributes.contains("status"));
            EXPECT_EQ(supplies[0].number("cycle_count"), std::nullopt);
            EXPECT_EQ(supplies[0].number("charge_now"), 4759000);
        }
        // Without capacity the level comes from charge_now / charge_full.
        const auto reading = readTree(tree.root());
        ASSERT_TRUE(reading);
        EXPECT_EQ(reading->percent, 85);
        EXPECT_EQ(reading->cycles, std::nullopt);

        std::filesystem::create_directory(tree.root() / "class");
        std::filesystem::create_directory_symlink(bat, tree.root() / "class" / "BAT1");
        EXPECT_EQ(readPowerSupplies(tree.root() / "class").size(), 1U);
        EXPECT_TRUE(readPowerSupplies(tree.root() / "missing").empty());
        EXPECT_FALSE(readTree(tree.root() / "missing"));
    }

    TEST(PowerSupply, FifoInTheTreeIsNotRead)
    {
        using namespace std::chrono_literals;
        test::PowerSupplyTree tree;
        tree.copy("01-dell-bat0-charge-discharging", "BAT0");
        const auto fifo = tree.root() / "BAT0" / "uevent";
        std::filesystem::remove(fifo);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        auto reading = std::async(std::launch::async, [&] { return readTree(tree.root()); });
        const bool prompt = reading.wait_for(1s) == std::future_status::ready;
        // A writer that comes and goes releases a reader stuck on the FIFO.
        while (reading.wait_for(10ms) != std::future_status::ready)
            ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        EXPECT_TRUE(prompt);
        const auto result = reading.get();
        ASSERT_TRUE(result);
        EXPECT_EQ(result->percent, 98);
    }

    TEST(BatteryMapping, NotChargingIsAFaultOnlyWithoutALimitTheUserSet)
    {
        const char* const end = "charge_control_end_threshold";
        const char* const alias = "charge_stop_threshold";
        struct Case
        {
            const char* name;
            const char* capacity;
            std::vector<std::pair<const char*, const char*>> limits;
            std::int64_t notChargingReason;
        };
        const Case cases[] = {
            { "no limit", "50", {}, 1 },
            { "legacy alias alone", "79", { { alias, "80" } }, 0 },
            { "standard wins over alias", "79", { { end, "95" }, { alias, "80" } }, 1 },
            { "above the restart limit", "65",
                { { end, "90" }, { alias, "90" }, { "charge_control_start_threshold", "60" } }, 0 },
            { "inhibited", "50",
                { { "charge_behaviour", "auto [inhibit-charge] force-discharge" } }, 0 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            // One idle battery on a mains adapter, edited before reading.
            test::PowerSupplyTree tree;
            tree.copy("22-ac0-bat0-udev-events-tlpstat-pev-partial", "AC0");
            tree.copy("22-ac0-bat0-udev-events-tlpstat-pev-partial", "BAT0");
            tree.set("AC0", "online", "1");
            tree.set("BAT0", "status", "Not charging");
            tree.set("BAT0", "capacity", c.capacity);
            tree.set("BAT0", "power_now", "0");
            for (const auto& [file, value] : c.limits)
                tree.set("BAT0", file, value);
            const auto reading = readTree(tree.root());
            ASSERT_TRUE(reading);
            EXPECT_TRUE(reading->onAC && !reading->charging && !reading->full);
            EXPECT_EQ(reading->notChargingReason, c.notChargingReason);
        }
    }

    TEST(RateSmoother, TimeLeftFollowsTheRateAveragedOverAboutTwoMinutes)
    {
        RateSmoother smoother;
        using D = RateSmoother::Direction;
        EXPECT_EQ(smoother.add(D::discharging, 1000, 0), 1000);
        EXPECT_EQ(smoother.add(D::discharging, 2000, 60), 2000); // the first settled rate
        EXPECT_NEAR(*smoother.add(D::discharging, 3000, 65), 2040.81, 0.01);
        EXPECT_NEAR(*smoother.add(D::discharging, 3000, 185), 2647.13, 0.01);
        // A new direction, the clock going back, an idle or rateless sample: start afresh.
        EXPECT_EQ(smoother.add(D::charging, 500, 190), 500);
        EXPECT_EQ(smoother.add(D::charging, 800, 100), 800);
        EXPECT_EQ(smoother.add(D::idle, 800, 110), std::nullopt);
        EXPECT_EQ(smoother.add(D::charging, 400, 115), 400);
    }

    TEST(SysfsBatteryReader, EstimatesWaitForASettledPlausibleRate)
    {
        using T = BatteryReading::TimeWithheld;
        struct Step
        {
            double clock;
            const char* powerUW;
            std::optional<T> withheld;
            std::optional<std::int64_t> minutes;
        };
        // Unplugged at 90 % of 50 Wh; the driver still says 0.25 W for a while (180 h).
        const Step unplugged[]
            = { { 0, "250000", T::settling, {} }, { 30, "250000", T::settling, {} },
                  { 60, "250000", T::rateTooLow, {} }, { 90, "250000", T::rateTooLow, {} } };
        const Step settling[] = { { 0, "250000", T::settling, {} },
            { 30, "12000000", T::settling, {} }, { 60, "12000000", {}, 225 },
            { 65, "14000000", {}, 223 }, // averaged, not 193 at 14 W
            { 400, "14000000", T::settling, {} } }; // after a suspend
        for (const auto& steps : { std::vector(std::begin(unplugged), std::end(unplugged)),
                 std::vector(std::begin(settling), std::end(settling)) }) {
            test::PowerSupplyTree tree;
            tree.copy("22-ac0-bat0-udev-events-tlpstat-pev-partial", "AC0");
            tree.copy("22-ac0-bat0-udev-events-tlpstat-pev-partial", "BAT0");
            tree.set("AC0", "online", "0");
            for (const auto& [file, value] :
                { std::pair { "status", "Discharging" }, { "energy_full", "50000000" },
                    { "energy_now", "45000000" }, { "capacity", "90" } })
                tree.set("BAT0", file, value);
            double clock = 0;
            SysfsBatteryReader reader(tree.root(), [&] { return clock; });
            for (const Step& step : steps) {
                SCOPED_TRACE(testing::Message() << step.clock << " s at " << step.powerUW);
                clock = step.clock;
                tree.set("BAT0", "power_now", step.powerUW);
                const auto estimate = reader.read()->timeEstimate();
                EXPECT_EQ(estimate.withheld, step.withheld);
                EXPECT_EQ(estimate.minutes, step.minutes);
            }
            // A report that reads once carries the state over to the next one.
            SysfsBatteryReader next(tree.root(), [&] { return clock + 1; });
            next.smoother().restore(reader.smoother().saved());
            EXPECT_EQ(next.smoother().saved(), reader.smoother().saved());
        }
    }

} // namespace
} // namespace wattlet
