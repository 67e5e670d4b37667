#include "core/battery_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using wattlet::BatteryHistory;
using wattlet::BatteryReading;
using wattlet::BatterySample;

namespace {

constexpr double t0 = 1700000000;
constexpr double inf = std::numeric_limits<double>::infinity();

BatteryReading reading(std::int64_t percent)
{
    BatteryReading r;
    r.percent = percent;
    return r;
}

BatterySample at(double t, std::int64_t p) { return { t, p, std::nullopt, false }; }

BatteryHistory historyOf(std::vector<BatterySample> samples)
{
    BatteryHistory history;
    history.samples = std::move(samples);
    return history;
}

} // namespace

TEST(BatteryHistory, AnUnchangedPercentIsRecordedOncePerMinute)
{
    BatteryHistory history;
    EXPECT_TRUE(history.add(reading(50), t0));
    BatteryReading changedPowerOnly = reading(50);
    changedPowerOnly.amperageMA = -900;
    changedPowerOnly.voltageMV = 11000;
    EXPECT_FALSE(history.add(changedPowerOnly, t0 + 59));
    EXPECT_TRUE(history.add(changedPowerOnly, t0 + 60));
    EXPECT_TRUE(history.add(reading(51), t0 + 61));
    EXPECT_EQ(history.samples,
        (std::vector<BatterySample> { at(t0, 50), { t0 + 60, 50, -9.9, false }, at(t0 + 61, 51) }));
}

TEST(BatteryHistory, AddKeepsSamplesUpTo48HoursOld)
{
    const double now = t0 + 200000;
    auto history = historyOf({ at(now - 172801, 10), at(now - 172800, 11), at(now - 10, 12) });
    EXPECT_TRUE(history.add(reading(14), now));
    EXPECT_EQ(history.samples,
        (std::vector<BatterySample> { at(now - 172800, 11), at(now - 10, 12), at(now, 14) }));
}

TEST(BatteryHistory, SampleFromTheFutureDoesNotBlankTheChart)
{
    // A clock that jumped ten years ahead and back, or a damaged file.
    auto history = historyOf({ at(t0 - 120, 50), at(t0 + 10 * 365 * 86400.0, 50) });
    EXPECT_TRUE(history.add(reading(50), t0));
    EXPECT_TRUE(history.add(reading(49), t0 + 30));
    EXPECT_EQ(history.samples,
        (std::vector<BatterySample> { at(t0 - 120, 50), at(t0, 50), at(t0 + 30, 49) }));
    EXPECT_EQ(history.series(24, 96, t0 + 30).back(), 49);

    // A clock set back by a minute: the newer samples go, and the gap is no repeat.
    EXPECT_TRUE(history.add(reading(49), t0 - 30));
    EXPECT_EQ(history.samples, (std::vector<BatterySample> { at(t0 - 120, 50), at(t0 - 30, 49) }));
}

TEST(BatteryHistory, SeriesTakesLatestPercentOfEachStep)
{
    // Steps before the first sample are left out; a sample older than the window fills all.
    EXPECT_TRUE(BatteryHistory {}.series(24, 96, t0).empty());
    EXPECT_EQ(
        historyOf({ at(t0 - 20 * 60, 64) }).series(24, 96, t0), (std::vector<double> { 64, 64 }));
    EXPECT_EQ(
        historyOf({ at(t0 - 30 * 3600, 33) }).series(24, 96, t0), std::vector<double>(96, 33));

    // Four one-hour steps ending at t0-3h, t0-2h, t0-1h, t0.
    const auto history = historyOf({ at(t0 - 4 * 3600 - 1, 10), at(t0 - 3 * 3600 - 5, 20),
        at(t0 - 3 * 3600, 30), at(t0 - 90 * 60, 40), at(t0 - 3599, 50), at(t0 + 1, 99) });
    EXPECT_EQ(history.series(4, 4, t0), (std::vector<double> { 30, 30, 40, 50 }));
}

TEST(BatteryHistory, DeltaLastHourCountsFromTheNewestHourOldSample)
{
    EXPECT_EQ(historyOf({ at(t0 - 20 * 60, 70), at(t0 - 5 * 60, 72) }).deltaLastHour(t0), 2);
    EXPECT_EQ(historyOf({ at(t0 - 3600, 90), at(t0 - 60, 70) }).deltaLastHour(t0), -20);
    EXPECT_EQ(historyOf({ at(t0 - 60, 50) }).deltaLastHour(t0), std::nullopt);
    EXPECT_EQ(historyOf({ at(t0 - 9000, 40), at(t0 - 7200, 50) }).deltaLastHour(t0), std::nullopt);
    // A change beyond int64 (only from a damaged file) has no value rather than overflowing.
    EXPECT_EQ(
        historyOf({ at(t0 - 60, INT64_MIN), at(t0, INT64_MAX) }).deltaLastHour(t0), std::nullopt);
}

TEST(BatteryHistory, JsonLeavesOutBrokenNumbers)
{
    const auto history
        = historyOf({ { 1000.5, 80, -13.795, true }, { 1060, 79, std::nullopt, false } });
    EXPECT_EQ(history.toJson(),
        R"({"samples":[{"ac":true,"p":80,"t":1000.5,"w":-13.795},{"ac":false,"p":79,"t":1060.0}]})");
    const auto broken = historyOf({ { std::nan(""), 1, 2.0, false }, { inf, 2, 2.0, false },
        { 10, 3, std::nan(""), true }, { 20, 4, -inf, true } });
    EXPECT_EQ(
        broken.toJson(), R"({"samples":[{"ac":true,"p":3,"t":10.0},{"ac":true,"p":4,"t":20.0}]})");
}

TEST(BatteryHistory, ReadsAcceptedVariants)
{
    // Stored order is kept as it stands, unsorted and unpruned.
    const auto read = BatteryHistory::fromJson(R"({"v":{"samples":5,"w":[{}]},"samples":[
        {"t":30,"p":5.0,"ac":false,"w":null,"x":[1,{"y":2}]},
        {"t":20.5,"p":-3,"ac":true,"w":-0.5},
        {"t":-1e2,"p":1e2,"ac":true,"w":7},
        {"t":1,"p":9223372036854775807,"ac":false},
        {"t":1,"p":-9223372036854775808,"ac":false}]})");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->samples,
        (std::vector<BatterySample> { { 30, 5, std::nullopt, false }, { 20.5, -3, -0.5, true },
            { -100, 100, 7.0, true }, { 1, INT64_MAX, std::nullopt, false },
            { 1, INT64_MIN, std::nullopt, false } }));
    EXPECT_EQ(BatteryHistory::fromJson(R"({"samples":[]})"), BatteryHistory {});
    // A repeated key counts with its last value.
    EXPECT_EQ(BatteryHistory::fromJson(R"({"samples":[{"t":1,"p":2,"ac":true}],"samples":[]})"),
        BatteryHistory {});
}

TEST(BatteryHistory, ReadingFailsAsAWholeOnAnyViolation)
{
    std::vector<std::string> broken { "", "not json", R"({"samples":[{"t":1,"p":2,"ac":true}])",
        R"([{"t":1,"p":2,"ac":true}])", R"({})", R"({"samples":null})",
        R"({"samples":{"t":1,"p":2,"ac":true}})", R"({"samples":[{"t":1,"p":2,"ac":true},5]})",
        R"({"samples":[]} [])", R"({"samples":[],"samples":{}})",
        std::string("{\"samples\":[]}\0garbage", 22) };
    // One sample, broken in one way.
    // clang-format off
    for (const char* sample : { R"("t":1,"p":2,"ac":true,"q":[})", R"("p":2,"ac":true)",
             R"("t":"1","p":2,"ac":true)", R"("t":1e400,"p":2,"ac":true)", R"("t":1,"ac":true)",
             R"("t":1,"p":5.5,"ac":true)", R"("t":1,"p":9223372036854775808,"ac":true)",
             R"("t":1,"p":true,"ac":true)", R"("t":1,"p":2)", R"("t":1,"p":2,"ac":1)",
             R"("t":1,"p":2,"ac":true,"w":"3")", R"("t":1,"p":2,"ac":true,"w":-1e999)" })
        broken.push_back(std::string(R"({"samples":[{)") + sample + "}]}");
    // clang-format on
    for (const auto& json : broken) {
        SCOPED_TRACE(json);
        EXPECT_EQ(BatteryHistory::fromJson(json), std::nullopt);
    }
}
