#include "app/present/status_item_view.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
        EXPECT_EQ(statusItemView(c.reading, true, Language::en).tint, c.tint);
    }
}

TEST(StatusItemView, PercentGoesWhereTheHostCanShowItUnlessTheUserChose)
{
    using P = PercentPlacement;
    const std::tuple<PercentStyle, bool, P> rows[] = { { PercentStyle::automatic, true, P::label },
        { PercentStyle::automatic, false, P::icon }, { PercentStyle::label, false, P::label },
        { PercentStyle::icon, true, P::icon } };
    for (const auto& [style, hostDrawsLabels, placement] : rows) {
        SCOPED_TRACE(std::to_string(int(style)) + (hostDrawsLabels ? " labels" : ""));
        EXPECT_EQ(percentPlacement(
                      statusItemView(onBattery(50), true, Language::en, style), hostDrawsLabels),
            placement);
        EXPECT_EQ(percentPlacement(
                      statusItemView(onBattery(50), false, Language::en, style), hostDrawsLabels),
            P::none);
    }
}

TEST(StatusItemView, TooltipIsTheSummarySplitAfterItsFirstLineOrSaysThereIsNoBattery)
{
    EXPECT_EQ(statusItemView(std::nullopt, true, Language::ru).toolTipTitle, "Батареи нет");
    BatteryReading reading = onBattery(40);
    reading.temperatureC = 31.0;
    const StatusItemView view = statusItemView(reading, true, Language::ru);
    EXPECT_EQ(view.toolTipTitle, "40 % · на батарее");
    EXPECT_EQ(view.toolTipBody, "время считается…\nТемпература: 31 °C");
    EXPECT_EQ(view.toolTip, "40 % · на батарее\nвремя считается…\nТемпература: 31 °C");
}

} // namespace wattlet
