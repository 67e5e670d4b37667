#include "demo.h"

#include <algorithm>

namespace wattlet::Demo {

const std::vector<double>& series()
{
    static const std::vector<double> values = [] {
        std::vector<double> v;
        v.reserve(96);
        for (int i = 0; i < 96; ++i) {
            if (i <= 59)
                v.push_back(std::max(92.0 - 1.4 * i, 8.0));
            else
                v.push_back(std::min(8.0 + 2.6 * (i - 60), 100.0));
        }
        return v;
    }();
    return values;
}

BatteryReading reading(std::string_view kind, double now)
{
    BatteryReading r;
    r.updated = now;
    r.present = true;
    r.voltageMV = 11691;
    r.designCapacity = 8579;
    r.fullCapacity = 8393;
    r.cycles = 90;
    if (kind == "battery") {
        r.percent = 64;
        r.minutesLeft = 312;
        r.amperageMA = -1180;
        r.remainingCapacity = 5372;
        r.temperatureC = 37.0;
    } else if (kind == "low") {
        r.percent = 9;
        r.minutesLeft = 38;
        r.amperageMA = -1420;
        r.remainingCapacity = 760;
        r.temperatureC = 46.0;
    } else {
        r.percent = 48;
        r.charging = true;
        r.onAC = true;
        r.minutesLeft = 74;
        r.amperageMA = 6393;
        r.adapterWatts = 96;
        r.adapterName = "USB-C charger";
        r.remainingCapacity = 4030;
        r.temperatureC = 37.0;
    }
    return r;
}

} // namespace wattlet::Demo
