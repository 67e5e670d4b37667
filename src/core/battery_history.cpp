#include "battery_history.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr double sameSampleSeconds = 60;
    constexpr double hourSeconds = 3600;
    // 2^63: the first double beyond the int64 range; -2^63 itself still fits.
    constexpr double int64Limit = 9223372036854775808.0;

    using Json = nlohmann::json;

    std::optional<std::int64_t> integralValue(const Json& value)
    {
        if (value.is_number_integer() && !value.is_number_unsigned())
            return value.get<std::int64_t>();
        if (value.is_number_unsigned()) {
            const auto number = value.get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(INT64_MAX))
                return std::nullopt;
            return static_cast<std::int64_t>(number);
        }
        if (value.is_number_float()) {
            const double number = value.get<double>();
            if (!std::isfinite(number) || std::trunc(number) != number || number < -int64Limit
                || number >= int64Limit)
                return std::nullopt;
            return static_cast<std::int64_t>(number);
        }
        return std::nullopt;
    }

    // A number too large for a double parses as infinity; it cannot be written back, so it
    // counts as a broken value like any other.
    std::optional<double> finiteValue(const Json& value)
    {
        if (!value.is_number())
            return std::nullopt;
        const double number = value.get<double>();
        if (!std::isfinite(number))
            return std::nullopt;
        return number;
    }

    std::optional<BatterySample> sampleFrom(const Json& object)
    {
        if (!object.is_object())
            return std::nullopt;
        const auto t = object.find("t");
        const auto p = object.find("p");
        const auto ac = object.find("ac");
        if (t == object.end() || p == object.end() || ac == object.end() || !ac->is_boolean())
            return std::nullopt;

        BatterySample sample;
        const auto time = finiteValue(*t);
        const auto percent = integralValue(*p);
        if (!time || !percent)
            return std::nullopt;
        sample.t = *time;
        sample.p = *percent;
        sample.ac = ac->get<bool>();

        if (const auto w = object.find("w"); w != object.end() && !w->is_null()) {
            sample.w = finiteValue(*w);
            if (!sample.w)
                return std::nullopt;
        }
        return sample;
    }

} // namespace

bool BatteryHistory::add(const BatteryReading& reading, double now)
{
    // A broken clock must not leave a sample that can never be pruned or stored.
    if (!std::isfinite(now))
        return false;
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

std::string BatteryHistory::toJson() const
{
    Json list = Json::array();
    for (const BatterySample& sample : samples) {
        // JSON has no NaN or infinity: a timeless sample is dropped rather than making the whole
        // file unreadable, and a non-finite power is stored as no power.
        if (!std::isfinite(sample.t))
            continue;
        Json object = { { "t", sample.t }, { "p", sample.p }, { "ac", sample.ac } };
        if (sample.w && std::isfinite(*sample.w))
            object["w"] = *sample.w;
        list.push_back(std::move(object));
    }
    return Json { { "samples", std::move(list) } }.dump();
}

std::optional<BatteryHistory> BatteryHistory::fromJson(std::string_view json)
{
    const Json document = Json::parse(json, nullptr, false);
    if (!document.is_object())
        return std::nullopt;
    const auto list = document.find("samples");
    if (list == document.end() || !list->is_array())
        return std::nullopt;

    BatteryHistory history;
    history.samples.reserve(list->size());
    for (const Json& object : *list) {
        auto sample = sampleFrom(object);
        if (!sample)
            return std::nullopt;
        history.samples.push_back(*sample);
    }
    return history;
}

} // namespace wattlet
