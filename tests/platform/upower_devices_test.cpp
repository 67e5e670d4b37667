#include "platform/battery_record_source.h"
#include "platform/peripherals_read.h"
#include "platform/power_watcher.h"
#include "support/dbus_test_bus.h"
#include "support/fake_upower.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <optional>

namespace wattlet {
namespace {

    using test::FakeUPower;
    using test::waitUntil;

    constexpr uint mouseType = 5;
    constexpr uint keyboardType = 6;
    const QString bat0 = QStringLiteral("battery_BAT0");
    const QString mouse = QStringLiteral("mouse_hidpp_battery_0");
    const QString charge = QStringLiteral("charge");

    QVariantMap percent(double value) { return { { QStringLiteral("Percentage"), value } }; }

    std::vector<std::string> summary(const Peripherals& devices)
    {
        std::vector<std::string> lines;
        for (const Peripheral& device : devices)
            lines.push_back(std::string(rawValue(device.kind)) + " " + device.model + " "
                + (device.percent ? std::to_string(*device.percent)
                                  : std::string(device.level ? rawValue(*device.level) : "?")));
        return lines;
    }

    class UPowerDevices : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!test::DBusTestBus::system().isRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
        }

        static std::optional<std::vector<BatterySample>> fetch()
        {
            std::optional<std::vector<BatterySample>> result;
            QObject context;
            fetchBatteryRecord(
                &context, [&](std::vector<BatterySample> samples) { result = std::move(samples); });
            waitUntil([&] { return result.has_value(); });
            return result;
        }

        Peripherals latest;
        int machineEvents = 0;
    };

    TEST_F(UPowerDevices, PeripheralsFollowUPowerWithoutMachineEvents)
    {
        FakeUPower upower;
        upower.add(bat0, FakeUPower::machineBattery());
        upower.add(mouse, FakeUPower::peripheral(mouseType, 8, QStringLiteral("MX Master 3")));
        ASSERT_TRUE(upower.start());
        PowerWatcher::Options options;
        options.useUdev = false;
        options.onPeripherals = [this](const Peripherals& devices) { latest = devices; };
        const PowerWatcher watcher([this] { ++machineEvents; }, options);
        ASSERT_TRUE(waitUntil([this] { return latest.size() == 1; }));

        // A battery UPower marks as no supply of the machine is a peripheral too, whatever its
        // path says.
        const QString hidpp = QStringLiteral("battery_hidpp_battery_1");
        upower.add(QStringLiteral("keyboard_dev_1"), FakeUPower::peripheral(keyboardType, 55));
        upower.add(hidpp, FakeUPower::peripheral(2, 40));
        ASSERT_TRUE(waitUntil([this] { return latest.size() == 3; }));
        upower.change(hidpp, percent(39));
        ASSERT_TRUE(waitUntil([this] { return latest[0].percent == 39; }));
        EXPECT_EQ(summary(latest),
            (std::vector<std::string> { "other  39", "keyboard  55", "mouse MX Master 3 8" }));

        upower.remove(mouse);
        upower.remove(hidpp);
        ASSERT_TRUE(waitUntil([this] { return latest.size() == 1; }));
        EXPECT_EQ(machineEvents, 0);
    }

    TEST_F(UPowerDevices, TheBatteryRecordComesBackAsSamplesOldestFirstElseNothing)
    {
        EXPECT_EQ(fetch(), std::vector<BatterySample> {});
        EXPECT_EQ(readPeripherals(), Peripherals {});
        FakeUPower upower;
        upower.add(QStringLiteral("line_power_AC"), { { QStringLiteral("Type"), 1u } });
        upower.add(bat0, FakeUPower::machineBattery());
        ASSERT_TRUE(upower.start());
        for (const auto answer : { FakeUPower::History::record, FakeUPower::History::malformed,
                 FakeUPower::History::error }) {
            SCOPED_TRACE(static_cast<int>(answer));
            upower.setHistory(bat0, charge, {}, answer);
            EXPECT_EQ(fetch(), std::vector<BatterySample> {});
        }
        // As UPower keeps them, newest first; the rate only in the discharge.
        const uint now = 1'800'000'000;
        upower.setHistory(bat0, charge,
            { { now, 100, 4 }, { now - 1200, 97, 1 }, { now - 2400, 95, 2 }, { 0, 50, 2 } });
        upower.setHistory(bat0, QStringLiteral("rate"), { { now - 2370, 7.5, 2 } });
        EXPECT_EQ(fetch(),
            (std::vector<BatterySample> { { now - 2400.0, 95, -7.5, false },
                { now - 1200.0, 97, std::nullopt, true },
                { now * 1.0, 100, std::nullopt, true } }));
        // Two packs: neither record is the machine's charge.
        upower.add(QStringLiteral("battery_BAT1"), FakeUPower::machineBattery());
        EXPECT_EQ(fetch(), std::vector<BatterySample> {});
    }

    TEST_F(UPowerDevices, EachPeripheralReadsAsItsKindCleanedModelAndLevel)
    {
        FakeUPower upower;
        upower.add(
            mouse, FakeUPower::peripheral(mouseType, 8, QStringLiteral("Mo\u202E\x1B[31m\a\n\tX")));
        upower.add(QStringLiteral("keyboard_dev_2"),
            FakeUPower::peripheral(keyboardType, 50, QStringLiteral("\x1B\a\u2067")));
        // A coarse level stands in for an unknown percent.
        QVariantMap headset = FakeUPower::peripheral(17, 0);
        headset.insert(QStringLiteral("BatteryLevel"), 3u);
        upower.add(QStringLiteral("headset_dev_2"), headset);
        ASSERT_TRUE(upower.start());
        EXPECT_EQ(summary(readPeripherals()),
            (std::vector<std::string> { "headset  low", "keyboard  50", "mouse Mo[31m X 8" }));
    }

} // namespace
} // namespace wattlet
