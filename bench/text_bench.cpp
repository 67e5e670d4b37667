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
    text::setLanguage(state.range(0) == 0 ? "en" : "ru");
    const BatteryReading reading = dischargingReading();
    for (auto _ : state)
        benchmark::DoNotOptimize(text::summary(reading));
}
BENCHMARK(textSummary)->Arg(0)->Arg(1);

void textNum(benchmark::State& state)
{
    double value = 12.345678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::num(value, 1));
        value += 0.001;
    }
}
BENCHMARK(textNum);

} // namespace
