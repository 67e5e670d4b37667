#include "core/battery_text.h"

#include <benchmark/benchmark.h>

using wattlet::BatteryReading;
namespace text = wattlet::BatteryText;

namespace {

BatteryReading fullReading()
{
    BatteryReading r;
    r.percent = 87;
    r.onAC = true;
    r.charging = true;
    r.minutesLeft = 65;
    r.amperageMA = 2930;
    r.voltageMV = 12480;
    r.adapterWatts = 96;
    r.adapterName = "USB-C";
    r.temperatureC = 31.2;
    r.fullCapacity = 4600;
    r.designCapacity = 5000;
    r.cycles = 212;
    return r;
}

void textSummary(benchmark::State& state)
{
    text::setLanguage(state.range(0) == 0 ? "en" : "ru");
    const BatteryReading reading = fullReading();
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
