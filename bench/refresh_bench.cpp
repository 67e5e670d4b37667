#include "synthetic_supply_tree.h"

#include "app/app_model.h"
#include "app/files.h"
#include "platform/battery_io.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace wattlet {
namespace {

    constexpr double start = 1'700'000'000;

    // A laptop on AC: the mains supply online and the battery charging.
    std::filesystem::path laptopTree()
    {
        return bench::fixtureTree("22-ac0-bat0-udev-events-tlpstat-pev-partial");
    }

    // Storage and settings in a temporary home; the battery read from `tree`.
    struct TempPlatform
    {
        QTemporaryDir dir;
        explicit TempPlatform(const std::filesystem::path& tree)
        {
            qputenv("XDG_DATA_HOME", (dir.path() + QStringLiteral("/data")).toUtf8());
            qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toUtf8());
            qputenv("WATTLET_POWER_SUPPLY_DIR", QByteArray::fromStdString(tree.string()));
        }
    };

    // Two days at one sample a minute: the size the history settles at.
    BatteryHistory twoDays(std::int64_t percent)
    {
        BatteryHistory history;
        for (int i = 2880; i > 0; --i)
            history.samples.push_back({ start - 60.0 * i, percent, 12.5, true });
        return history;
    }

    // One refresh as a power event runs it; with `stepSeconds` 61 every refresh appends a sample
    // and writes the file, with 0 none does.
    void liveRefresh(benchmark::State& state, double stepSeconds,
        const std::filesystem::path& tree = laptopTree())
    {
        TempPlatform platform(tree);
        const auto reading = BatteryIO::read();
        if (!reading) {
            state.SkipWithError("the fixture tree gave no battery reading");
            return;
        }
        Files::saveHistory(twoDays(reading->percent));
        double now = start;
        AppModelDeps deps = AppModelDeps::live();
        deps.now = [&now] { return now; };
        deps.makeWatcher = nullptr;
        AppModel model(std::nullopt, deps);
        model.refresh(true);
        for (auto _ : state) {
            now += stepSeconds;
            model.refresh(true);
        }
    }

    void BM_LiveRefreshWithWrite(benchmark::State& state) { liveRefresh(state, 61); }
    void BM_LiveRefreshWithoutWrite(benchmark::State& state) { liveRefresh(state, 0); }
    BENCHMARK(BM_LiveRefreshWithWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();
    BENCHMARK(BM_LiveRefreshWithoutWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();

    // The same among 500 supplies (a dock full of USB-C ports and HID device batteries).
    void BM_LiveRefreshWithoutWriteManySupplies(benchmark::State& state)
    {
        const bench::SyntheticSupplyTree tree(500);
        liveRefresh(state, 0, tree.root());
    }
    BENCHMARK(BM_LiveRefreshWithoutWriteManySupplies)->Unit(benchmark::kMicrosecond)->UseRealTime();

    // History writes in one hour of an idle laptop on AC (the charge does not change) when
    // power events arrive every range(0) seconds in bursts of range(1) (battery, line power and
    // kernel event for one poll). Reported as the counter writes_per_hour.
    void BM_WritesPerHourIdleOnAC(benchmark::State& state)
    {
        TempPlatform platform(laptopTree());
        const double interval = static_cast<double>(state.range(0));
        const auto burst = state.range(1);
        BatteryReading reading;
        reading.percent = 80;
        reading.onAC = true;
        double writes = 0;
        for (auto _ : state) {
            double now = start;
            double firstHourEnd = start + 3600;
            writes = 0;
            AppModelDeps deps;
            deps.now = [&now] { return now; };
            deps.read = [&reading] { return reading; };
            deps.loadHistory = [] { return twoDays(80); };
            deps.saveHistory = [&](const BatteryHistory&) {
                if (now > firstHourEnd)
                    ++writes;
            };
            AppModel model(std::nullopt, deps);
            for (; now <= firstHourEnd + 3600; now += interval) {
                for (std::int64_t i = 0; i < burst; ++i)
                    model.refresh(true);
            }
        }
        state.counters["writes_per_hour"] = writes;
    }
    BENCHMARK(BM_WritesPerHourIdleOnAC)
        ->ArgNames({ "interval_s", "burst" })
        ->Args({ 30, 1 })
        ->Args({ 45, 1 })
        ->Args({ 60, 1 })
        ->Args({ 120, 1 })
        ->Args({ 120, 3 })
        ->Iterations(1);

} // namespace
} // namespace wattlet
