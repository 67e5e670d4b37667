#include "platform/power_profiles.h"
#include "support/dbus_test_bus.h"
#include "support/fake_power_profiles.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::FakePowerProfiles;
    using test::waitUntil;

    class PowerProfilesTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!test::DBusTestBus::system().isRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            profiles = makePowerProfiles();
        }

        std::string active() const { return profiles->state() ? profiles->state()->active : ""; }

        std::unique_ptr<PowerProfiles> profiles;
    };

    TEST_F(PowerProfilesTest, FollowsTheDaemonAndSwitchesThroughIt)
    {
        FakePowerProfiles daemon;
        ASSERT_TRUE(daemon.start());
        ASSERT_TRUE(waitUntil([&] { return active() == "balanced"; }));
        EXPECT_EQ(profiles->state()->profiles,
            (std::vector<std::string> { "power-saver", "balanced", "performance" }));

        // Changed elsewhere: another program switched and holds the mode, the laptop is on a lap.
        daemon.set(QStringLiteral("ActiveProfile"), QStringLiteral("performance"));
        daemon.set(QStringLiteral("PerformanceDegraded"), QStringLiteral("lap-detected"));
        daemon.set(QStringLiteral("ActiveProfileHolds"),
            FakePowerProfiles::holds(QStringLiteral("performance"), QStringLiteral("compiling"),
                QStringLiteral("org.gnome.Builder")));
        ASSERT_TRUE(waitUntil([&] { return profiles->state()->holds.size() == 1; }));
        EXPECT_EQ(active(), "performance");
        EXPECT_EQ(profiles->state()->degraded, "lap-detected");
        EXPECT_EQ(profiles->state()->holds.front(),
            (PowerProfileHold { "performance", "compiling", "org.gnome.Builder" }));

        profiles->choose("power-saver");
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));
        EXPECT_EQ(daemon.active(), QStringLiteral("power-saver"));
    }

    TEST_F(PowerProfilesTest, HiddenWithoutTheDaemonAndBackWhenItAppearsUnderEitherName)
    {
        test::serveEventsFor(50);
        EXPECT_FALSE(profiles->state());
        FakePowerProfiles old;
        ASSERT_TRUE(old.start());
        ASSERT_TRUE(waitUntil([&] { return active() == "balanced"; }));

        // A daemon with the newer name is the one asked.
        FakePowerProfiles newer(true);
        newer.set(QStringLiteral("ActiveProfile"), QStringLiteral("power-saver"));
        ASSERT_TRUE(newer.start());
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));
        newer.stop();
        old.stop();
        EXPECT_TRUE(waitUntil([&] { return !profiles->state(); }));
    }

} // namespace
} // namespace wattlet
