#include "app/device_alerts.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using S = std::vector<std::string>;

    Peripheral headset(std::optional<Peripheral::Level> level, bool charging = false)
    {
        return { "headset", Peripheral::Kind::headset, "", std::nullopt, level, charging };
    }

    Peripheral mouse(std::int64_t percent)
    {
        return { "mouse", Peripheral::Kind::mouse, "", percent, std::nullopt, false };
    }

    // "+id" for an announcement, "-id" for a withdrawal.
    std::vector<std::string> steps(DeviceAlerts& alerts, const Peripherals& devices, bool notify)
    {
        const auto changes = alerts.update(devices, notify);
        std::vector<std::string> result;
        for (const std::string& id : changes.withdraw)
            result.push_back("-" + id);
        for (const Peripheral& device : changes.announce)
            result.push_back("+" + device.id);
        return result;
    }

} // namespace

TEST(DeviceAlerts, AnnouncedOncePerDischargeWithTenPointsOfSlack)
{
    DeviceAlerts alerts;
    const std::vector<std::pair<std::int64_t, S>> sequence { { 11, {} }, { 10, { "+mouse" } },
        { 9, {} }, { 11, { "-mouse" } }, { 10, {} }, { 19, {} }, { 10, {} }, { 20, {} },
        { 10, { "+mouse" } } };
    for (const auto& [percent, expected] : sequence) {
        SCOPED_TRACE(percent);
        EXPECT_EQ(steps(alerts, { mouse(percent) }, true), expected);
    }
    EXPECT_EQ(steps(alerts, {}, true), S { "-mouse" });
    // Back after a dropped link or a restart of the daemon: the same discharge.
    EXPECT_EQ(steps(alerts, { mouse(9) }, true), S {});
}

TEST(DeviceAlerts, CoarseLevelsGoThroughTheSameDischarge)
{
    using L = Peripheral::Level;
    DeviceAlerts alerts;
    EXPECT_EQ(steps(alerts, { headset(L::critical, true) }, true), S {});
    EXPECT_EQ(steps(alerts, { headset(L::low) }, true), S { "+headset" });
    EXPECT_EQ(steps(alerts, { headset(L::low, true) }, true), S { "-headset" });
    // Off: nothing on screen, and the discharge counts as announced.
    EXPECT_EQ(steps(alerts, { headset(L::critical) }, false), S {});
    EXPECT_EQ(steps(alerts, { headset(L::critical) }, true), S {});
    EXPECT_EQ(steps(alerts, { headset(L::normal) }, true), S {});
    EXPECT_EQ(steps(alerts, { headset(L::low) }, true), S { "+headset" });
    EXPECT_EQ(steps(alerts, { headset(std::nullopt) }, true), S { "-headset" });
}

} // namespace wattlet
