#include "app/present/status_item_view.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace wattlet {

TEST(StatusItemView, PercentGoesWhereTheHostCanShowItUnlessTheUserChose)
{
    using P = PercentPlacement;
    const BatteryReading reading;
    const std::tuple<PercentStyle, bool, P> rows[] = { { PercentStyle::automatic, true, P::label },
        { PercentStyle::automatic, false, P::icon }, { PercentStyle::label, false, P::label },
        { PercentStyle::icon, true, P::icon } };
    for (const auto& [style, hostDrawsLabels, placement] : rows) {
        SCOPED_TRACE(std::to_string(int(style)) + (hostDrawsLabels ? " labels" : ""));
        EXPECT_EQ(
            percentPlacement(statusItemView(reading, true, Language::en, style), hostDrawsLabels),
            placement);
        EXPECT_EQ(
            percentPlacement(statusItemView(reading, false, Language::en, style), hostDrawsLabels),
            P::none);
    }
}

// Hosts get the title and body apart (StatusNotifierItemTest); the fallback icon the whole.
TEST(StatusItemView, TooltipIsTheSummaryOrSaysThereIsNoBattery)
{
    EXPECT_EQ(statusItemView(std::nullopt, true, Language::ru).toolTipTitle, "Батареи нет");
    BatteryReading reading;
    reading.percent = 40;
    reading.temperatureC = 31.0;
    EXPECT_EQ(statusItemView(reading, true, Language::ru).toolTip,
        "40 % · на батарее\nвремя считается…\nТемпература: 31 °C");
}

} // namespace wattlet
