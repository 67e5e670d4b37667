#pragma once

#include "battery_reading.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// One calendar day of the battery's capacities. `day` counts days since 1970-01-01 in the
/// user's local calendar; capacities are in mAh like the reading's.
struct HealthEntry
{
    std::int64_t day = 0;
    std::int64_t fullCapacity = 0;
    std::int64_t designCapacity = 0;
    std::optional<std::int64_t> cycles;

    bool operator==(const HealthEntry&) const = default;

    /// Full capacity as a percentage of design, not rounded and not capped at 100.
    [[nodiscard]] double health() const;
};

/// How the health moved over the log: least-squares slopes in percentage points.
struct HealthTrend
{
    /// Days from the first entry to the last.
    std::int64_t spanDays = 0;
    /// Per 30.44 days; absent below minimumTrendDays of data.
    std::optional<double> perMonth;
    /// Per 100 charge cycles; absent below minimumTrendDays of data or without a cycle range.
    std::optional<double> per100Cycles;
};

/// The battery's capacities over months: at most one entry per calendar day, in ascending day
/// order, kept for keepDays and never more than keepDays entries.
struct HealthLog
{
    /// Five years, leap days included.
    static constexpr std::int64_t keepDays = 1827;
    static constexpr std::int64_t minimumTrendDays = 30;
    /// The most entries a clock that ran ahead may leave that its return takes back.
    static constexpr std::int64_t maxAheadEntries = 31;
    /// A stored log larger than this is refused unread.
    static constexpr std::int64_t maxFileBytes = std::int64_t { 4 } * 1024 * 1024;

    std::vector<HealthEntry> entries;

    bool operator==(const HealthLog&) const = default;

    /// Records `reading` as the entry of `today` when it has a full and a design capacity and the
    /// day has none yet; then drops entries older than keepDays. A day before the newest entry
    /// (a clock set back) replaces the entries after it when there are at most maxAheadEntries
    /// of them and an earlier entry exists: they are taken for a clock that ran ahead. Else it
    /// records nothing and drops nothing (a clock reset to the past, or set back for longer).
    /// The age limit counts from the entry maxAheadEntries before the newest plus as many days,
    /// or from today when that is earlier, so a clock far ahead cannot wipe the log before it
    /// has stayed there. True when an entry was added.
    bool record(const BatteryReading& reading, std::int64_t today);

    [[nodiscard]] HealthTrend trend() const;

    /// {"days":[{"date":"2025-03-14","full":…,"design":…,"cycles":…},…]}, "cycles" left out
    /// when absent.
    [[nodiscard]] std::string toJson() const;
    /// The log stored in `json`, or nothing when it is not an object with a "days" array of
    /// objects holding a valid "date", positive integral "full" and "design" and an optional
    /// non-negative integral "cycles". Entries come back sorted, one per day (the first wins).
    [[nodiscard]] static std::optional<HealthLog> fromJson(std::string_view json);
    /// "date,full,design,cycles,health" and one line per entry, health with one decimal, an
    /// empty field for absent cycles; lines end in "\n".
    [[nodiscard]] std::string toCsv() const;
};

/// A date of the proleptic Gregorian calendar: month 1–12, day 1–31.
struct CivilDate
{
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t day = 0;
};

/// The date of a day count since 1970-01-01 (proleptic Gregorian).
[[nodiscard]] CivilDate civilFromDays(std::int64_t day);
/// "YYYY-MM-DD" of a day count since 1970-01-01 (proleptic Gregorian).
[[nodiscard]] std::string dateText(std::int64_t day);
/// The day count of a "YYYY-MM-DD" text for years 1–9999; absent for anything else.
[[nodiscard]] std::optional<std::int64_t> dayOfDate(std::string_view text);

} // namespace wattlet
