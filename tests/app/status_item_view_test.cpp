#include "app/present/status_item_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    BatteryReading onBattery(std::int64_t percent)
    {
        BatteryReading reading;
        reading.percent = percent;
        return reading;
    }

    BatteryReading charging(std::int64_t percent)
    {
        BatteryReading reading = onBattery(percent);
        reading.onAC = true;
        reading.charging = true;
        return reading;
    }

} // namespace

TEST(StatusItemView, TintFollowsTheStatusDot)
{
    struct Case
    {
        const char* name;
        BatteryReading reading;
        StatusTint tint;
    };
    BatteryReading hotWhileCharging = charging(60);
    hotWhileCharging.temperatureC = 45.0;
    BatteryReading heldOutsideTheOptimizedBand = onBattery(60);
    heldOutsideTheOptimizedBand.onAC = true;
    heldOutsideTheOptimizedBand.notChargingReason = 4;
    const Case cases[] = {
        { "critical is red", onBattery(10), StatusTint::red },
        { "hot is red even while charging", hotWhileCharging, StatusTint::red },
        { "low is orange, not yellow", onBattery(20), StatusTint::orange },
        { "not charging on power is orange", heldOutsideTheOptimizedBand, StatusTint::orange },
        { "green is monochrome", onBattery(21), StatusTint::monochrome },
        { "blue is monochrome", charging(50), StatusTint::monochrome },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(statusItemView(c.reading, true).tint, c.tint);
    }
}

TEST(StatusItemView, TitleIsASpaceAndThePercentOrNothing)
{
    EXPECT_EQ(statusItemView(onBattery(7), true).title, " 7%");
    EXPECT_EQ(statusItemView(charging(100), true).title, " 100%");
    EXPECT_EQ(statusItemView(onBattery(7), false).title, "");
}

TEST(StatusItemView, TooltipIsTheSummaryOrSaysThereIsNoBattery)
{
    const StatusItemView none = statusItemView(std::nullopt, true);
    EXPECT_EQ(none.symbol, "battery.0percent");
    EXPECT_EQ(none.tint, StatusTint::monochrome);
    EXPECT_EQ(none.title, "");
    for (const auto& [lang, summary, noBattery] :
        { std::tuple { "en", "40 % · on battery\ncalculating time…", "No battery" },
            std::tuple { "ru", "40 % · на батарее\nвремя считается…", "Батареи нет" } }) {
        const test::ScopedLanguage language(lang);
        EXPECT_EQ(statusItemView(onBattery(40), true).tooltip, summary);
        EXPECT_EQ(statusItemView(std::nullopt, true).tooltip, noBattery);
    }
}

} // namespace wattlet
