#include "core/battery_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using wattlet::BatteryHistory;
using wattlet::BatteryReading;
using wattlet::BatterySample;

namespace {

// Steps from a second to half a day, so runs cross both the one-minute and the two-day limits.
double nextStep(std::mt19937_64& random)
{
    switch (std::uniform_int_distribution(0, 3)(random)) {
    case 0:
        return 0;
    case 1:
        return std::uniform_real_distribution(0.0, 120.0)(random);
    case 2:
        return std::uniform_real_distribution(0.0, 3600.0)(random);
    default:
        return std::uniform_real_distribution(0.0, 43200.0)(random);
    }
}

BatteryReading randomReading(std::mt19937_64& random)
{
    BatteryReading reading;
    reading.percent = std::uniform_int_distribution<std::int64_t>(0, 100)(random);
    reading.onAC = std::bernoulli_distribution(0.3)(random);
    if (std::bernoulli_distribution(0.7)(random)) {
        reading.amperageMA = std::uniform_int_distribution<std::int64_t>(-5000, 5000)(random);
        reading.voltageMV = std::uniform_int_distribution<std::int64_t>(10000, 13000)(random);
    }
    return reading;
}

} // namespace

TEST(HistoryInvariants, RandomAddSequencesKeepOrderAndWindow)
{
    std::mt19937_64 random(20240229);
    for (int run = 0; run < 40; ++run) {
        SCOPED_TRACE(run);
        BatteryHistory history;
        double now = 1700000000;
        for (int step = 0; step < 400; ++step) {
            now += nextStep(random);
            // Readings often repeat the last percent so the one-minute rule is exercised.
            BatteryReading reading = randomReading(random);
            if (!history.samples.empty() && std::bernoulli_distribution(0.6)(random)) {
                reading.percent = history.samples.back().p;
                reading.onAC = history.samples.back().ac;
            }
            const BatteryHistory before = history;
            const bool appended = history.add(reading, now);

            if (!appended) {
                ASSERT_EQ(history, before);
                ASSERT_LT(now - before.samples.back().t, 60);
                continue;
            }
            ASSERT_EQ(history.samples.back(),
                (BatterySample { now, reading.percent, reading.watts(), reading.onAC }));
            ASSERT_TRUE(std::is_sorted(history.samples.begin(), history.samples.end(),
                [](const BatterySample& a, const BatterySample& b) { return a.t < b.t; }));
            ASSERT_LE(now - history.samples.front().t, BatteryHistory::keepSeconds);

            for (const std::int64_t points : { 1, 7, 96, 500 }) {
                const auto values = history.series(24, points, now);
                ASSERT_LE(values.size(), static_cast<std::size_t>(points));
                ASSERT_FALSE(values.empty());
            }
            // 96 steps of 900 s end exactly at `now`, so the newest sample is the last value.
            ASSERT_EQ(history.series(24, 96, now).back(), static_cast<double>(reading.percent));
            if (const auto delta = history.deltaLastHour(now)) {
                const std::int64_t from = reading.percent - *delta;
                ASSERT_TRUE(std::any_of(history.samples.begin(), history.samples.end(),
                    [from](const BatterySample& s) { return s.p == from; }));
            }
        }
    }
}
