#include "core/battery_text.h"

#include <benchmark/benchmark.h>

using wattlet::BatteryReading;
namespace text = wattlet::BatteryText;

namespace {

// Every summary line present but the charger's, which only shows on power.
BatteryReading dischargingReading()
{
    BatteryReading r;
    r.percent = 41;
    r.minutesLeft = 192;
    r.amperageMA = -1240;
    r.voltageMV = 11870;
    r.temperatureC = 36.6;
    r.fullCapacity = 6120;
    r.designCapacity = 8000;
    r.cycles = 734;
    return r;
}

void textSummary(benchmark::State& state)
{
    const auto language = state.range(0) == 0 ? wattlet::Language::en : wattlet::Language::ru;
    const BatteryReading reading = dischargingReading();
    for (auto _ : state)
        benchmark::DoNotOptimize(text::summary(reading, language));
}
BENCHMARK(textSummary)->Arg(0)->Arg(1);

void textNum(benchmark::State& state)
{
    double value = 12.345678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::num(value, 1, wattlet::Language::en));
        value += 0.001;
    }
}
BENCHMARK(textNum);

} // namespace
