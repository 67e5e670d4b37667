#include "core/battery_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

using wattlet::BatteryHistory;
using wattlet::BatterySample;

TEST(BatteryRecord, MergesOnlyWhatLiesBeforeTheFirstSampleAndWithinTwoDays)
{
    constexpr double now = 1'800'000'000;
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
