#include "demo.h"

#include <algorithm>
#include <cmath>

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
    } else if (kind == "limit") {
        r.percent = 80;
        r.onAC = true;
        r.amperageMA = 0;
        r.adapterWatts = 65;
        r.adapterName = "USB-C charger";
        r.remainingCapacity = 6714;
        r.temperatureC = 33.0;
        r.chargeLimitPercent = 80;
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

Peripherals peripherals(std::string_view kind)
{
    if (kind != "devices")
        return {};
    using K = Peripheral::Kind;
    return {
        { "demo-mouse", K::mouse, "MX Master 3", 8, std::nullopt, false },
        { "demo-keyboard", K::keyboard, "K380", 72, std::nullopt, false },
        { "demo-headset", K::headset, "WH-1000XM4", std::nullopt, Peripheral::Level::normal, true },
    };
}

HealthLog healthLog(std::int64_t today)
{
    constexpr std::int64_t days = 400;
    constexpr double design = 8579;
    HealthLog log;
    for (std::int64_t i = 0; i < days; ++i) {
        const double age = static_cast<double>(i) / (days - 1);
        // A gentle fade with a little day-to-day noise, as a gauge reports it.
        const double health = 102.0 - 4.2 * age - 0.5 * std::sin(static_cast<double>(i) / 23.0);
        log.entries.push_back({ today - days + 1 + i,
            static_cast<std::int64_t>(std::lround(design * health / 100.0)),
            static_cast<std::int64_t>(design), static_cast<std::int64_t>(std::lround(90 * age)) });
    }
    return log;
}

} // namespace wattlet::Demo
