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

// Which reading gives which dot is BatteryReading's; here the tint of each dot.
TEST(StatusItemView, TintFollowsTheStatusDot)
{
    const std::pair<BatteryReading, StatusTint> cases[]
        = { { onBattery(10), StatusTint::red }, { onBattery(20), StatusTint::orange },
              { onBattery(21), StatusTint::monochrome }, { charging(50), StatusTint::monochrome } };
    for (const auto& [reading, tint] : cases) {
        SCOPED_TRACE(reading.percent);
        EXPECT_EQ(statusItemView(reading, true, Language::en).tint, tint);
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
