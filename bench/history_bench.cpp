#include "core/battery_history.h"

#include <benchmark/benchmark.h>

using wattlet::BatteryHistory;
using wattlet::BatteryReading;

namespace {

constexpr double start = 1700000000.123;
constexpr double twoDays = 172800;

BatteryReading readingAt(int minute)
{
    BatteryReading reading;
    // Discharge for five hours, charge for three, and so on; the charge moves every few minutes.
    const int phase = minute % 480;
    reading.onAC = phase >= 300;
    reading.charging = reading.onAC;
    reading.percent = reading.onAC ? 20 + (phase - 300) * 80 / 180 : 100 - phase * 80 / 300;
    reading.amperageMA = reading.onAC ? 2930 : -1180 - minute % 37;
    reading.voltageMV = 11691 + minute % 53;
    return reading;
}

// One add a minute over two days with slightly irregular clock readings: about 3 000 samples.
BatteryHistory twoDayHistory()
{
    BatteryHistory history;
    for (int minute = 0; minute < 2 * 24 * 60; ++minute) {
        const double now = start + minute * 60.0 + minute * 0.000137;
        history.add(readingAt(minute), now);
        if (minute % 20 == 0)
            history.add(readingAt(minute + 5), now + 20.5);
    }
    return history;
}

double endOf(const BatteryHistory& history) { return history.samples.back().t + 30; }

void historyAdd(benchmark::State& state)
{
    BatteryHistory history = twoDayHistory();
    double now = endOf(history);
    int minute = 2 * 24 * 60;
    for (auto _ : state) {
        now += 60;
        benchmark::DoNotOptimize(history.add(readingAt(++minute), now));
    }
    state.counters["samples"] = static_cast<double>(history.samples.size());
}
BENCHMARK(historyAdd);

void historySeries(benchmark::State& state)
{
    const BatteryHistory history = twoDayHistory();
    const double now = endOf(history);
    for (auto _ : state)
        benchmark::DoNotOptimize(history.series(24, 96, now));
    state.counters["samples"] = static_cast<double>(history.samples.size());
}
BENCHMARK(historySeries);

void historyDeltaLastHour(benchmark::State& state)
{
    const BatteryHistory history = twoDayHistory();
    const double now = endOf(history);
    for (auto _ : state)
        benchmark::DoNotOptimize(history.deltaLastHour(now));
}
BENCHMARK(historyDeltaLastHour);

void historyToJson(benchmark::State& state)
{
    const BatteryHistory history = twoDayHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(history.toJson());
}
BENCHMARK(historyToJson)->Unit(benchmark::kMicrosecond);

void historyFromJson(benchmark::State& state)
{
    const std::string json = twoDayHistory().toJson();
    for (auto _ : state)
        benchmark::DoNotOptimize(BatteryHistory::fromJson(json));
    state.counters["bytes"] = static_cast<double>(json.size());
}
BENCHMARK(historyFromJson)->Unit(benchmark::kMicrosecond);

} // namespace
