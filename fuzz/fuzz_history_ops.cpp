#include "core/battery_history.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

using wattlet::BatteryHistory;

// Reads the input front to back; an exhausted input reads as zeros.
class Bytes
{
public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }
    [[nodiscard]] bool empty() const { return m_size == 0; }
    template <typename T> T take()
    {
        T value {};
        const std::size_t count = std::min(sizeof(T), m_size);
        std::memcpy(&value, m_data, count);
        m_data += count;
        m_size -= count;
        return value;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool ordered(const BatteryHistory& history)
{
    return std::is_sorted(history.samples.begin(), history.samples.end(),
        [](const wattlet::BatterySample& a, const wattlet::BatterySample& b) { return a.t < b.t; });
}

// Percent values like a gauge's, now and then anything an int64 holds.
std::int64_t percent(Bytes& bytes)
{
    const auto kind = bytes.take<std::uint8_t>();
    return kind < 240 ? kind % 101 : bytes.take<std::int64_t>();
}

// Steps of a running clock, jumps both ways, and raw doubles (NaN, infinities, huge values).
double nextNow(Bytes& bytes, double now)
{
    switch (bytes.take<std::uint8_t>() % 5) {
    case 0:
        return now + bytes.take<std::uint8_t>();
    case 1:
        return now + 60.0 * bytes.take<std::uint16_t>();
    case 2:
        return now - 60.0 * bytes.take<std::uint16_t>();
    case 3:
        return bytes.take<double>();
    default:
        return now;
    }
}

std::set<std::int64_t> levels(const BatteryHistory& history)
{
    std::set<std::int64_t> result;
    for (const auto& sample : history.samples)
        result.insert(sample.p);
    return result;
}

void checkSeries(const BatteryHistory& history, Bytes& bytes, double now)
{
    // Raw values now and then: up to maxSeriesPoints steps make a slow input.
    const bool raw = bytes.take<std::uint8_t>() == 255;
    const double hours = raw ? bytes.take<double>() : bytes.take<std::uint8_t>() % 49;
    const std::int64_t points
        = raw ? bytes.take<std::int64_t>() : bytes.take<std::uint16_t>() % 1000;
    const auto values = history.series(hours, points, now);
    const auto most = std::clamp<std::int64_t>(points, 0, BatteryHistory::maxSeriesPoints);
    check(values.size() <= static_cast<std::size_t>(most));
    std::set<double> recorded;
    for (const auto& sample : history.samples)
        recorded.insert(static_cast<double>(sample.p));
    for (std::size_t i = 0; i < values.size(); ++i)
        check((i > 0 && values[i] == values[i - 1]) || recorded.contains(values[i]));
}

// A change over the last hour is the difference of two recorded levels.
void checkDelta(const BatteryHistory& history, double now)
{
    const auto delta = history.deltaLastHour(now);
    if (!delta)
        return;
    const auto recorded = levels(history);
    check(std::any_of(recorded.begin(), recorded.end(), [&](std::int64_t to) {
        std::int64_t from = 0;
        return !__builtin_sub_overflow(to, *delta, &from) && recorded.contains(from);
    }));
}

} // namespace

// Random sequences of add, series and deltaLastHour on a clock that runs, jumps both ways and
// breaks. While the clock has only run forward the record stays ordered and within its window.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes bytes(data, size);
    BatteryHistory history;
    double now = 1700000000;
    bool forwardOnly = true;
    while (!bytes.empty()) {
        switch (bytes.take<std::uint8_t>() % 4) {
        case 0: {
            const double next = nextNow(bytes, now);
            forwardOnly = forwardOnly && std::isfinite(next) && next >= now;
            now = next;
            break;
        }
        case 1: {
            wattlet::BatteryReading reading;
            reading.percent = percent(bytes);
            reading.onAC = (bytes.take<std::uint8_t>() & 1) != 0;
            if (bytes.take<std::uint8_t>() < 200) {
                reading.amperageMA = bytes.take<std::int16_t>();
                reading.voltageMV = bytes.take<std::uint16_t>();
            }
            const BatteryHistory before = history;
            const bool appended = history.add(reading, now);
            if (!std::isfinite(now))
                check(!appended && history == before);
            if (appended)
                check(
                    history.samples.back().t == now && history.samples.back().p == reading.percent);
            if (forwardOnly) {
                check(appended || history == before);
                check(ordered(history));
                check(history.samples.empty()
                    || now - history.samples.front().t <= BatteryHistory::keepSeconds);
            }
            break;
        }
        case 2:
            checkSeries(history, bytes, now);
            break;
        default:
            checkDelta(history, now);
            break;
        }
        for (const auto& sample : history.samples)
            check(std::isfinite(sample.t));
    }
    return 0;
}
