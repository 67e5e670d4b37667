#include "core/reading_json.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ReadingJson, BrokenInputStillGivesOneValidLine)
{
    wattlet::BatteryReading reading;
    reading.percent = 50;
    reading.onAC = true;
    reading.adapterName = "Acme \xff charger";
    reading.temperatureC = std::numeric_limits<double>::quiet_NaN();
    const auto json = wattlet::readingJson(reading);
    EXPECT_NE(json.find("\"adapterName\":\"Acme \xef\xbf\xbd charger\""), std::string::npos)
        << json;
    EXPECT_EQ(json.find("temperatureC"), std::string::npos);
}
