// What UPower's answer to GetHistory costs the main thread, from a reply as it comes off the bus
// to the samples merged into the history: a normal answer and a hostile one of a million points
// (NaN, ±inf, percentages below 0 and above 100, times in the future and at 0, out of order).
// Target: at most 50 ms for the largest answer.
//   build/ci/bench/wattlet_upower_record_bench --benchmark_repetitions=5

#include "core/battery_record.h"
#include "platform/linux/upower_record_points.h"
#include "support/dbus_test_bus.h"
#include "support/fake_upower.h"
#include "support/wait_until.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <random>

namespace wattlet {
namespace {

    using test::FakeUPower;

    constexpr std::uint32_t now = 1'800'000'000;
    // As the program asks: at most four times its resolution of 300 points.
    constexpr std::size_t maxPoints = 1200;

    std::vector<FakeUPower::Point> hostilePoints(std::size_t count)
    {
        std::mt19937 random(6);
        const double oddValues[]
            = { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                  -std::numeric_limits<double>::infinity(), -40, 250 };
        std::vector<FakeUPower::Point> points;
        points.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const auto t = static_cast<std::uint32_t>(
                random() % 2 == 0 ? now - random() % 200'000 : random());
            const double value
                = random() % 4 == 0 ? oddValues[random() % 5] : static_cast<double>(random() % 101);
            points.push_back({ t, value, static_cast<std::uint32_t>(random() % 7) });
        }
        return points;
    }

    // Replies as they come off the bus, one per size, asked once of a fake UPower.
    const QDBusMessage& reply(std::size_t count)
    {
        static std::map<std::size_t, QDBusMessage> replies;
        if (const auto found = replies.find(count); found != replies.end())
            return found->second;
        FakeUPower upower;
        upower.add(QStringLiteral("battery_BAT0"), FakeUPower::machineBattery());
        upower.setHistory(
            QStringLiteral("battery_BAT0"), QStringLiteral("charge"), hostilePoints(count));
        upower.start();
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.UPower"),
            FakeUPower::path(QStringLiteral("battery_BAT0")),
            QStringLiteral("org.freedesktop.UPower.Device"), QStringLiteral("GetHistory"));
        call.setArguments({ QStringLiteral("charge"), 172800U, 300U });
        const QDBusPendingCall pending = QDBusConnection::systemBus().asyncCall(call, 60'000);
        test::waitUntil([&] { return pending.isFinished(); }, 60'000);
        return replies[count] = pending.reply();
    }

    void answerOnTheMainThread(benchmark::State& state, std::size_t keep)
    {
        const auto count = static_cast<std::size_t>(state.range(0));
        const QDBusMessage& answer = reply(count);
        if (answer.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("the fake UPower gave no record");
            return;
        }
        const BatteryHistory live { { { now - 600.0, 50, std::nullopt, false },
            { static_cast<double>(now), 49, std::nullopt, false } } };
        for (auto _ : state) {
            BatteryHistory history = live;
            const auto samples = recordSamples(upowerRecordPoints(answer, keep), {});
            mergeEarlierRecord(history, samples, now);
            benchmark::DoNotOptimize(history);
        }
    }

    void recordAnswer(benchmark::State& state) { answerOnTheMainThread(state, maxPoints); }
    BENCHMARK(recordAnswer)->Arg(300)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

    // The same answers read whole, as before the cut: what the cut saves.
    void recordAnswerReadWhole(benchmark::State& state)
    {
        answerOnTheMainThread(state, std::numeric_limits<std::size_t>::max());
    }
    BENCHMARK(recordAnswerReadWhole)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace wattlet

int main(int argc, char** argv)
{
    // The buses first: libdbus reads their addresses on its first connection.
    wattlet::test::DBusTestBus::system();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
