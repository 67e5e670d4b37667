#include "core/health_log.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using wattlet::BatteryReading;
using wattlet::HealthEntry;
using wattlet::HealthLog;

namespace {

// 2025-03-14.
constexpr std::int64_t today = 20161;

BatteryReading capacities(std::int64_t full, std::int64_t design = 5000,
    std::optional<std::int64_t> cycles = std::nullopt)
{
    BatteryReading r;
    r.fullCapacity = full;
    r.designCapacity = design;
    r.cycles = cycles;
    return r;
}

std::vector<std::int64_t> days(const HealthLog& log)
{
    std::vector<std::int64_t> result;
    for (const HealthEntry& entry : log.entries)
        result.push_back(entry.day - today);
    return result;
}

} // namespace

TEST(HealthLog, RecordsTheFirstReadingOfADayThatHasBothCapacities)
{
    HealthLog log;
    EXPECT_FALSE(log.record(BatteryReading {}, today));
    EXPECT_FALSE(log.record(capacities(4500, 0), today));
    EXPECT_TRUE(log.record(capacities(4500, 5000, 120), today));
    // Later the same day, with other values: the first refresh of the day counts.
    EXPECT_FALSE(log.record(capacities(4400), today));
    EXPECT_TRUE(log.record(capacities(4490), today + 1));
    EXPECT_EQ(log.entries,
        (std::vector<HealthEntry> { { today, 4500, 5000, 120 }, { today + 1, 4490, 5000, {} } }));
}

TEST(HealthLog, AClockSetBackChangesNothing)
{
    HealthLog log;
    for (const std::int64_t day : { 0, 1, 2 })
        log.record(capacities(4500), today + day);
    // Back to 2000 after a dead clock battery, then to yesterday.
    EXPECT_FALSE(log.record(capacities(4500), 10957));
    EXPECT_FALSE(log.record(capacities(4500), today + 1));
    EXPECT_EQ(days(log), (std::vector<std::int64_t> { 0, 1, 2 }));
}

TEST(HealthLog, JsonIsReadInDayOrderKeepingTheFirstOfEachDay)
{
    // Out of order and twice the same day: sorted, the first of a day kept.
    EXPECT_EQ(
        HealthLog::fromJson(
            R"({"days":[{"date":"2025-03-15","full":2,"design":3},{"date":"2025-03-14","full":1,"design":3},)"
            R"({"date":"2025-03-15","full":9,"design":9,"cycles":null}]})"),
        (HealthLog { { { today, 1, 3, {} }, { today + 1, 2, 3, {} } } }));
}

TEST(HealthLog, AnyBrokenDayRefusesTheWholeFile)
{
    for (const char* broken : { "", "{", "[]", R"({"days":{}})", R"({"days":[1]})",
             R"({"days":[{"date":"2025-02-30","full":1,"design":1}]})",
             R"({"days":[{"date":"2025-3-14","full":1,"design":1}]})",
             R"({"days":[{"date":"2025-03-14","full":0,"design":1}]})",
             R"({"days":[{"date":"2025-03-14","full":1.5,"design":1}]})",
             R"({"days":[{"date":"2025-03-14","full":1,"design":1,"cycles":-1}]})",
             R"({"days":[{"date":"2025-03-14","full":1,"design":18446744073709551615}]})" }) {
        SCOPED_TRACE(broken);
        EXPECT_EQ(HealthLog::fromJson(broken), std::nullopt);
    }
}

TEST(HealthLog, TrendNeedsThirtyDaysAndACycleRange)
{
    HealthLog log;
    // One point lost per 30.44 days and per 20 cycles.
    for (std::int64_t day = 0; day <= 60; ++day) {
        const double health = 100 - static_cast<double>(day) / 30.44;
        log.entries.push_back(
            { today + day, static_cast<std::int64_t>(health * 100), 10000, 100 + day * 5 / 3 });
    }
    const auto trend = log.trend();
    EXPECT_EQ(trend.spanDays, 60);
    EXPECT_NEAR(trend.perMonth.value_or(0), -1.0, 0.02);
    EXPECT_NEAR(trend.per100Cycles.value_or(0), -1.97, 0.05);

    log.entries.resize(31);
    EXPECT_TRUE(log.trend().perMonth);
    log.entries.resize(30);
    EXPECT_EQ(log.trend().perMonth, std::nullopt);
    for (auto& entry : log.entries)
        entry.cycles = 100;
    log.entries.push_back({ today + 40, 9900, 10000, 100 });
    EXPECT_TRUE(log.trend().perMonth);
    EXPECT_EQ(log.trend().per100Cycles, std::nullopt);
}

TEST(HealthLog, StaysOneEntryPerDayWithinFiveYearsWhateverTheClockDoes)
{
    HealthLog log;
    std::mt19937 random(21);
    // Eleven years from 2024-02-28, across three leap days, with the clock off one day in 40.
    for (std::int64_t day = 19781; day < 19781 + 11 * 365; ++day) {
        // Ten years ahead, three years back, 2000-01-01 after a dead clock battery, five days back.
        const std::int64_t jumps[] = { 3650, -3 * 365, 10957 - day, -5 };
        const auto jump = random() % 160;
        const std::int64_t clock = day + (jump < 4 ? jumps[jump] : 0);
        log.record(capacities(4500), clock);
        ASSERT_LE(log.entries.size(), std::size_t { HealthLog::keepDays }) << day;
        if (clock == day) {
            ASSERT_LT(log.entries.back().day - log.entries.front().day,
                HealthLog::keepDays + HealthLog::maxAheadEntries)
                << day;
        }
        for (std::size_t i = 1; i < log.entries.size(); ++i)
            ASSERT_LT(log.entries[i - 1].day, log.entries[i].day) << day;
    }
    EXPECT_GT(log.entries.size(), 1700U);
    EXPECT_EQ(HealthLog::fromJson(log.toJson()), log);
}
