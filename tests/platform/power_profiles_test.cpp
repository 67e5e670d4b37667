#include "platform/power_profiles.h"
#include "support/daemon_testbed.h"
#include "support/wait_until.h"

#include <QDBusConnection>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::waitUntil;

    // power-profiles-daemon itself, with a firmware profile switch as its own tests make one.
    class PowerProfilesTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!testbed.unavailable().isEmpty())
                GTEST_SKIP() << testbed.unavailable().toStdString();
            ASSERT_TRUE(testbed.startPowerProfiles());
            profiles = makePowerProfiles();
        }

        std::string active() const { return profiles->state() ? profiles->state()->active : ""; }
        QString firmware() const
        {
            QFile file(testbed.root() + QStringLiteral("/sys/firmware/acpi/platform_profile"));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                                  : QString();
        }

        test::DaemonTestbed testbed;
        std::unique_ptr<PowerProfiles> profiles;
    };

    TEST_F(PowerProfilesTest, FollowsTheDaemonAndSwitchesThroughIt)
    {
        ASSERT_TRUE(waitUntil([&] { return !active().empty(); }));
        EXPECT_EQ(profiles->state()->profiles,
            (std::vector<std::string> { "power-saver", "balanced", "performance" }));
        profiles->choose("power-saver");
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));
        EXPECT_TRUE(waitUntil([&] { return firmware() == QStringLiteral("low-power"); }));

        // Another program switches, as powerprofilesctl does.
        QProcess command;
        command.start(QStringLiteral("powerprofilesctl"),
            { QStringLiteral("set"), QStringLiteral("performance") });
        ASSERT_TRUE(command.waitForFinished(10000));
        EXPECT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
        EXPECT_TRUE(waitUntil([&] { return active() == "performance"; }));

        // A hold lasts while its holder stays on the bus.
        const QString holder = testbed.holdProfile(QStringLiteral("power-saver"),
            QStringLiteral("compiling"), QStringLiteral("org.gnome.Builder"));
        ASSERT_FALSE(holder.isEmpty());
        ASSERT_TRUE(waitUntil([&] { return profiles->state()->holds.size() == 1; }));
        EXPECT_EQ(active(), "power-saver");
        EXPECT_EQ(profiles->state()->holds.front(),
            (PowerProfileHold { "power-saver", "compiling", "org.gnome.Builder" }));
        QDBusConnection::disconnectFromBus(holder);
        EXPECT_TRUE(waitUntil([&] { return profiles->state()->holds.empty(); }));
        EXPECT_TRUE(waitUntil([&] { return active() == "performance"; }));
    }

} // namespace
} // namespace wattlet
