#include "core/reading_json.h"

#include <gtest/gtest.h>

#include <limits>

namespace wattlet {
namespace {

    TEST(ReadingJson, NamesOnlyThePresentFieldsBesideTheDerivedValues)
    {
        BatteryReading reading;
        reading.percent = 57;
        reading.onAC = true;
        reading.amperageMA = -1180;
        reading.voltageMV = 11691;
        reading.adapterWatts = 96;
        reading.adapterName = "USB-C PD";
        reading.designCapacity = 8579;
        reading.fullCapacity = 8393;
        reading.remainingCapacity = 4780;
        reading.cycles = 90;
        reading.temperatureC = 30.5;
        reading.notChargingReason = 0;
        reading.updated = 1700000000;
        EXPECT_EQ(readingJson(reading),
            R"({"present":true,"percent":57,"charging":false,"onAC":true,"full":false,)"
            R"("amperageMA":-1180,"voltageMV":11691,"adapterWatts":96,"adapterName":"USB-C PD",)"
            R"("designCapacity":8579,"fullCapacity":8393,"remainingCapacity":4780,"cycles":90,)"
            R"("temperatureC":30.5,"notChargingReason":0,"updated":1700000000.0,"state":"hold",)"
            R"("warnings":[],"dot":"green","symbol":"battery.100percent.bolt","watts":-13.79538,)"
            R"("health":98})");
        EXPECT_EQ(readingJson(BatteryReading {}),
            R"({"present":true,"percent":0,"charging":false,"onAC":false,"full":false,"updated":0.0,)"
            R"("state":"discharging","warnings":["critical"],"dot":"red",)"
            R"("symbol":"battery.0percent"})");
    }

    TEST(ReadingJson, BrokenInputStillGivesOneValidLine)
    {
        BatteryReading reading;
        reading.percent = 50;
        reading.onAC = true;
        reading.adapterName = "Acme \xff charger";
        reading.temperatureC = std::numeric_limits<double>::quiet_NaN();
        const auto json = readingJson(reading);
        EXPECT_NE(json.find("\"adapterName\":\"Acme \xef\xbf\xbd charger\""), std::string::npos)
            << json;
        EXPECT_EQ(json.find("temperatureC"), std::string::npos);
    }

} // namespace
} // namespace wattlet
