#include "core/battery_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

using wattlet::BatteryHistory;
using wattlet::BatterySample;
using wattlet::RecordPoint;

namespace {

constexpr double now = 1'800'000'000;

} // namespace

TEST(BatteryRecord, MergesOnlyWhatLiesBeforeTheFirstSampleAndWithinTwoDays)
{
    BatteryHistory history;
    history.samples = { { now - 60, 50, std::nullopt, false }, { now, 49, std::nullopt, false } };
    std::vector<BatterySample> record;
    for (double t = now - 3 * 86400; t <= now; t += 3600)
        record.push_back({ t, 60, std::nullopt, true });
    record.push_back({ std::numeric_limits<double>::infinity(), 1, std::nullopt, true });

    ASSERT_TRUE(wattlet::mergeEarlierRecord(history, record, now));
    EXPECT_EQ(history.samples.size(), 48U + 2U);
    EXPECT_GE(history.samples.front().t, now - BatteryHistory::keepSeconds);
    EXPECT_TRUE(std::is_sorted(history.samples.begin(), history.samples.end(),
        [](const BatterySample& a, const BatterySample& b) { return a.t < b.t; }));
    EXPECT_EQ(history.samples[history.samples.size() - 2].p, 50);

    // Nothing is older than the history now; a second merge adds nothing.
    EXPECT_FALSE(wattlet::mergeEarlierRecord(history, record, now));
}

TEST(BatteryRecord, ChargePointsBecomeSamplesWithThePowerNearestInTime)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<RecordPoint> charge { { now - 600, 79.6, 2 }, { now - 1200, 81, 1 },
        { now - 1800, 100, 4 }, { now - 2400, 100, 5 }, { now - 3000, 50, 0 }, { 0, 50, 2 },
        { now - 3600, nan, 2 }, { now - 4200, 130, 6 } };
    const std::vector<RecordPoint> rate { { now - 590, 9.5, 2 }, { now - 1190, -20, 1 },
        { now - 4200 + 601, 3, 6 } };
    EXPECT_EQ(wattlet::recordSamples(charge, rate),
        (std::vector<BatterySample> { { now - 4200, 100, std::nullopt, false },
            { now - 2400, 100, std::nullopt, true }, { now - 1800, 100, std::nullopt, true },
            { now - 1200, 81, 20.0, true }, { now - 600, 80, -9.5, false } }));
}
