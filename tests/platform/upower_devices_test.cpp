#include "platform/battery_io.h"
#include "platform/battery_record_source.h"
#include "platform/peripherals_read.h"
#include "support/daemon_testbed.h"
#include "support/dbus_test_bus.h"
#include "support/fake_upower.h"
#include "support/temp_env.h"
#include "support/wait_until.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace wattlet {
namespace {

    using test::FakeUPower;
    using test::waitUntil;

    constexpr uint mouseType = 5;
    constexpr uint keyboardType = 6;
    const QString bat0 = QStringLiteral("battery_BAT0");
    const QString mouse = QStringLiteral("mouse_hidpp_battery_0");
    const QString charge = QStringLiteral("charge");

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
    };

    // The installed upowerd over a umockdev testbed; Wattlet reads the same sysfs by path.
    class RealUPower : public UPowerDevices
    {
    protected:
        void SetUp() override
        {
            if (!upower.unavailable().isEmpty())
                GTEST_SKIP() << upower.unavailable().toStdString();
            env.set("WATTLET_POWER_SUPPLY_DIR", upower.supplyDir());
            ASSERT_TRUE(upower.add(QStringLiteral("AC"), test::DaemonTestbed::mains(false)));
            ASSERT_TRUE(upower.add(QStringLiteral("BAT0"), test::DaemonTestbed::battery(45)));
            ASSERT_TRUE(upower.startUPower());
        }

        // Properties.Get itself: QDBusInterface keeps what it introspects until the process ends.
        static QVariant property(const char* name)
        {
            auto get = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.UPower"),
                QStringLiteral("/org/freedesktop/UPower/devices/battery_BAT0"),
                QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
            get.setArguments(
                { QStringLiteral("org.freedesktop.UPower.Device"), QString::fromLatin1(name) });
            const QDBusMessage reply = QDBusConnection::systemBus().call(get);
            return reply.arguments().value(0).value<QDBusVariant>().variant();
        }

        test::DaemonTestbed upower;
        test::ScopedEnv env;
    };

    TEST_F(RealUPower, TheBatteryReadFromSysfsAgreesWithUPower)
    {
        // UPower's states: 1 charging, 2 discharging, 4 fully charged.
        for (const auto& [percent, status, mains, state] :
            { std::tuple { 45, "Discharging", false, 2u }, { 71, "Charging", true, 1u },
                { 100, "Full", true, 4u } }) {
            SCOPED_TRACE(status);
            ASSERT_TRUE(upower.set(QStringLiteral("AC"), test::DaemonTestbed::mains(mains)));
            ASSERT_TRUE(
                upower.set(QStringLiteral("BAT0"), test::DaemonTestbed::battery(percent, status)));
            ASSERT_TRUE(waitUntil([&] { return property("State").toUInt() == state; }));
            const auto reading = BatteryIO::read();
            ASSERT_TRUE(reading);
            EXPECT_EQ(reading->percent, percent);
            EXPECT_EQ(property("Percentage").toDouble(), percent);
            EXPECT_EQ(reading->charging, state == 1);
            EXPECT_EQ(reading->onAC, mains);
        }
    }

    TEST_F(RealUPower, ItsRecordAfterChangesBecomesSamples)
    {
        // Each change is taken in before the next: changes close together may be read as one.
        for (const int percent : { 44, 43, 42 }) {
            ASSERT_TRUE(upower.set(QStringLiteral("BAT0"), test::DaemonTestbed::battery(percent)));
            ASSERT_TRUE(waitUntil([&] { return property("Percentage").toDouble() == percent; }));
        }
        std::vector<std::int64_t> percents;
        for (const BatterySample& sample : fetch().value_or(std::vector<BatterySample> {}))
            percents.push_back(sample.p);
        // UPower 1.90 also records the charge it found at its start; 0.99 does not.
        if (percents.size() == 4 && percents.front() == 45)
            percents.erase(percents.begin());
        EXPECT_EQ(percents, (std::vector<std::int64_t> { 44, 43, 42 }));
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
