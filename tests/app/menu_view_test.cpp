#include "app/present/menu_view.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    BatteryReading chargingReading()
    {
        BatteryReading reading;
        reading.percent = 85;
        reading.onAC = true;
        reading.charging = true;
        reading.minutesLeft = 65;
        return reading;
    }

    // The rows' titles joined by "|", separators as "---".
    std::string titles(const MenuView& view)
    {
        std::string result;
        for (const MenuRow& row : view.rows)
            result += (result.empty() ? "" : "|") + (row.separator ? "---" : row.title);
        return result;
    }

} // namespace

TEST(MenuView, RowsShowWhatIsAvailable)
{
    const std::string tail = "---|by Morvane · morvane.dev|---|Quit";
    const Language en = Language::en;
    EXPECT_EQ(titles(menuView(chargingReading(), en)),
        "85 % · charging · full in 1 h 5 min|---|Open panel|Power|Copy summary|" + tail);
    EXPECT_EQ(titles(menuView(std::nullopt, en)), "Open panel|Power|Copy summary|" + tail);
    // Without a power settings tool there is nothing for Power to open.
    EXPECT_EQ(titles(menuView(chargingReading(), en, false)),
        "85 % · charging · full in 1 h 5 min|---|Open panel|Copy summary|" + tail);
}

} // namespace wattlet
