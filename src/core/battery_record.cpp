#include "battery_record.h"

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr double rateReachSeconds = 600;

    bool usable(const RecordPoint& point)
    {
        return std::isfinite(point.t) && point.t > 0 && std::isfinite(point.value);
    }

    std::optional<bool> onPower(std::uint32_t state)
    {
        switch (state) {
        case 1:
        case 4:
        case 5:
            return true;
        case 2:
        case 3:
        case 6:
            return false;
        default:
            return std::nullopt;
        }
    }

    void sortByTime(std::vector<RecordPoint>& points)
    {
        points.erase(std::remove_if(points.begin(), points.end(),
                         [](const RecordPoint& point) { return !usable(point); }),
            points.end());
        // The daemon lists its record newest first and stamps whole seconds: points of one
        // second keep their order only when turned round before the sort.
        std::reverse(points.begin(), points.end());
        std::stable_sort(points.begin(), points.end(),
            [](const RecordPoint& a, const RecordPoint& b) { return a.t < b.t; });
    }

    std::optional<double> nearestRate(const std::vector<RecordPoint>& rate, double t, bool ac)
    {
        const auto after = std::lower_bound(rate.begin(), rate.end(), t,
            [](const RecordPoint& point, double time) { return point.t < time; });
        const RecordPoint* best = nullptr;
        if (after != rate.end())
            best = &*after;
        if (after != rate.begin()) {
            const RecordPoint& before = *std::prev(after);
            if (best == nullptr || t - before.t <= best->t - t)
                best = &before;
        }
        if (best == nullptr || std::fabs(best->t - t) > rateReachSeconds)
            return std::nullopt;
        const double watts = std::fabs(best->value);
        return ac ? watts : -watts;
    }

} // namespace

std::vector<BatterySample> recordSamples(
    std::vector<RecordPoint> charge, std::vector<RecordPoint> rate)
{
    sortByTime(charge);
    sortByTime(rate);
    std::vector<BatterySample> samples;
    for (const RecordPoint& point : charge) {
        const auto ac = onPower(point.state);
        if (!ac)
            continue;
        BatterySample sample;
        sample.t = point.t;
        sample.p = static_cast<std::int64_t>(std::lround(std::clamp(point.value, 0.0, 100.0)));
        sample.ac = *ac;
        sample.w = nearestRate(rate, point.t, *ac);
        samples.push_back(sample);
    }
    return samples;
}

bool mergeEarlierRecord(BatteryHistory& history, std::vector<BatterySample> record, double now)
{
    if (!std::isfinite(now))
        return false;
    const double oldest = now - BatteryHistory::keepSeconds;
    // Samples past the retention would go at the next append anyway, and must not hide the gap.
    auto& samples = history.samples;
    const auto firstKept = history.firstKept(now);
    const double before = firstKept == samples.cend() ? now : firstKept->t;
    std::stable_sort(record.begin(), record.end(),
        [](const BatterySample& a, const BatterySample& b) { return a.t < b.t; });
    record.erase(std::remove_if(record.begin(), record.end(),
                     [&](const BatterySample& sample) {
                         return !std::isfinite(sample.t) || sample.t < oldest || sample.t >= before;
                     }),
        record.end());
    if (record.empty())
        return false;
    samples.erase(samples.begin(), firstKept);
    samples.insert(samples.begin(), record.begin(), record.end());
    return true;
}

} // namespace wattlet
