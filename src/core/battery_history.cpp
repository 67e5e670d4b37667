#include "battery_history.h"

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr double sameSampleSeconds = 60;
    constexpr double hourSeconds = 3600;

} // namespace

bool BatteryHistory::add(const BatteryReading& reading, double now)
{
    // A broken clock must not leave a sample that can never be pruned or stored.
    if (!std::isfinite(now))
        return false;
    // The clock went back past the newest samples (or a file held a date far ahead): samples
    // from the future would hide every new one from the chart until that date comes.
    std::erase_if(samples, [now](const BatterySample& s) { return s.t > now; });
    if (!samples.empty()) {
        const BatterySample& last = samples.back();
        if (last.p == reading.percent && last.ac == reading.onAC
            && now - last.t < sameSampleSeconds)
            return false;
    }
    samples.push_back({ now, reading.percent, reading.watts(), reading.onAC });
    std::erase_if(samples, [now](const BatterySample& s) { return now - s.t > keepSeconds; });
    return true;
}

std::vector<BatterySample>::const_iterator BatteryHistory::firstKept(double now) const
{
    const double oldest = now - keepSeconds;
    return std::find_if(
        samples.begin(), samples.end(), [oldest](const BatterySample& s) { return s.t >= oldest; });
}

std::vector<double> BatteryHistory::series(double hours, std::int64_t points, double now) const
{
    if (points <= 0 || samples.empty())
        return {};
    points = std::min(points, maxSeriesPoints);

    const double span = hours * hourSeconds;
    const double start = now - span;
    const double step = span / static_cast<double>(points);

    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(points));
    auto cursor = samples.begin();
    double last = 0;
    bool passed = false;
    for (std::int64_t i = 1; i <= points; ++i) {
        const double end = start + step * static_cast<double>(i);
        for (; cursor != samples.end() && cursor->t <= end; ++cursor) {
            last = static_cast<double>(cursor->p);
            passed = true;
        }
        if (passed)
            values.push_back(last);
    }
    return values;
}

std::optional<std::int64_t> BatteryHistory::deltaLastHour(double now) const
{
    if (samples.empty())
        return std::nullopt;
    const BatterySample& last = samples.back();
    const auto hourOld = std::find_if(samples.rbegin(), samples.rend(),
        [now](const BatterySample& s) { return now - s.t >= hourSeconds; });
    const BatterySample& from = hourOld != samples.rend() ? *hourOld : samples.front();
    if (from.t == last.t)
        return std::nullopt;
    std::int64_t delta = 0;
    if (__builtin_sub_overflow(last.p, from.p, &delta))
        return std::nullopt;
    return delta;
}

} // namespace wattlet
