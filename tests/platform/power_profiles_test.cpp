#include "platform/power_profiles.h"
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

    TEST_F(PowerProfilesTest, FollowsTheDaemonUnderEitherNameAndSwitchesThroughIt)
    {
        FakePowerProfiles old;
        ASSERT_TRUE(old.start());
        ASSERT_TRUE(waitUntil([&] { return active() == "balanced"; }));
        EXPECT_EQ(profiles->state()->profiles,
            (std::vector<std::string> { "power-saver", "balanced", "performance" }));

        // Changed elsewhere: another program switched and holds the mode, the laptop is on a lap.
        old.set("ActiveProfile", QStringLiteral("performance"));
        old.set("PerformanceDegraded", QStringLiteral("lap-detected"));
        old.set("ActiveProfileHolds",
            QVariant::fromValue(
                QList<QVariantMap> { { { QStringLiteral("Profile"), QStringLiteral("performance") },
                    { QStringLiteral("Reason"), QStringLiteral("compiling") },
                    { QStringLiteral("ApplicationId"), QStringLiteral("org.gnome.Builder") } } }));
        ASSERT_TRUE(waitUntil([&] { return profiles->state()->holds.size() == 1; }));
        EXPECT_EQ(active(), "performance");
        EXPECT_EQ(profiles->state()->degraded, "lap-detected");
        EXPECT_EQ(profiles->state()->holds.front(),
            (PowerProfileHold { "performance", "compiling", "org.gnome.Builder" }));

        profiles->choose("power-saver");
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));

        // A daemon with the newer name is the one asked.
        FakePowerProfiles newer(true);
        ASSERT_TRUE(newer.start());
        EXPECT_TRUE(waitUntil([&] { return active() == "balanced"; }));
        newer.stop();
        old.stop();
        EXPECT_TRUE(waitUntil([&] { return !profiles->state(); }));
    }

} // namespace
} // namespace wattlet
