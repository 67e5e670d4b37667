#include "health_log.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <limits>

namespace wattlet {

namespace {

    constexpr double daysPerMonth = 30.44;
    // Fewer cycles than this between the first and the last entry give no meaningful slope.
    constexpr std::int64_t minimumCycleRange = 10;

    // After Howard Hinnant's public-domain algorithm, like civilFromDays().
    std::int64_t daysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d)
    {
        y -= m <= 2 ? 1 : 0;
        const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
        const std::int64_t yoe = y - era * 400;
        const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    }

    // Least-squares slope of y over x; absent when x does not vary.
    std::optional<double> slope(const std::vector<std::pair<double, double>>& points)
    {
        if (points.size() < 2)
            return std::nullopt;
        double meanX = 0;
        double meanY = 0;
        for (const auto& [x, y] : points) {
            meanX += x;
            meanY += y;
        }
        meanX /= static_cast<double>(points.size());
        meanY /= static_cast<double>(points.size());
        double sxy = 0;
        double sxx = 0;
        for (const auto& [x, y] : points) {
            sxy += (x - meanX) * (y - meanY);
            sxx += (x - meanX) * (x - meanX);
        }
        if (sxx <= 0)
            return std::nullopt;
        return sxy / sxx;
    }

    std::optional<std::int64_t> integerAt(const nlohmann::json& object, const char* key)
    {
        const auto it = object.find(key);
        if (it == object.end())
            return std::nullopt;
        if (it->is_number_unsigned()) {
            const auto value = it->get<std::uint64_t>();
            if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                return std::nullopt;
            return static_cast<std::int64_t>(value);
        }
        if (it->is_number_integer())
            return it->get<std::int64_t>();
        return std::nullopt;
    }

} // namespace

double HealthEntry::health() const { return capacityPercent(fullCapacity, designCapacity); }

bool HealthLog::record(const BatteryReading& reading, std::int64_t today)
{
    if (!reading.fullCapacity || !reading.designCapacity || *reading.fullCapacity < 1
        || *reading.designCapacity < 1)
        return false;
    if (!entries.empty() && today <= entries.back().day) {
        const auto ahead = std::upper_bound(entries.begin(), entries.end(), today,
            [](std::int64_t day, const HealthEntry& entry) { return day < entry.day; });
        const bool dayTaken = ahead != entries.begin() && std::prev(ahead)->day == today;
        // Before every entry, or behind more of them than a clock that ran ahead leaves: the
        // clock is the one that is wrong now.
        if (dayTaken || ahead == entries.begin() || entries.end() - ahead > maxAheadEntries)
            return false;
        entries.erase(ahead, entries.end());
    }
    entries.push_back({ today, *reading.fullCapacity, *reading.designCapacity, reading.cycles });
    // Ages count from the newest entry a clock coming back could no longer take away, plus the
    // days that may truly have passed since: a clock far ahead wipes nothing.
    const auto count = static_cast<std::int64_t>(entries.size());
    const HealthEntry& settled
        = entries[static_cast<std::size_t>(std::max<std::int64_t>(0, count - 1 - maxAheadEntries))];
    const std::int64_t ageFrom = std::min(today, settled.day + maxAheadEntries);
    const std::int64_t oldestKept = ageFrom - keepDays + 1;
    auto firstKept = std::find_if(entries.begin(), entries.end(),
        [oldestKept](const HealthEntry& entry) { return entry.day >= oldestKept; });
    if (entries.end() - firstKept > keepDays)
        firstKept = entries.end() - keepDays;
    entries.erase(entries.begin(), firstKept);
    return true;
}

HealthTrend HealthLog::trend() const
{
    HealthTrend trend;
    if (entries.empty())
        return trend;
    trend.spanDays = entries.back().day - entries.front().day;
    if (trend.spanDays < minimumTrendDays)
        return trend;
    std::vector<std::pair<double, double>> byDay;
    std::vector<std::pair<double, double>> byCycles;
    std::int64_t fewestCycles = std::numeric_limits<std::int64_t>::max();
    std::int64_t mostCycles = std::numeric_limits<std::int64_t>::min();
    for (const HealthEntry& entry : entries) {
        byDay.emplace_back(static_cast<double>(entry.day - entries.front().day), entry.health());
        if (entry.cycles) {
            byCycles.emplace_back(static_cast<double>(*entry.cycles), entry.health());
            fewestCycles = std::min(fewestCycles, *entry.cycles);
            mostCycles = std::max(mostCycles, *entry.cycles);
        }
    }
    if (const auto perDay = slope(byDay))
        trend.perMonth = *perDay * daysPerMonth;
    if (!byCycles.empty() && mostCycles - fewestCycles >= minimumCycleRange) {
        if (const auto perCycle = slope(byCycles))
            trend.per100Cycles = *perCycle * 100.0;
    }
    return trend;
}

std::string HealthLog::toJson() const
{
    nlohmann::ordered_json days = nlohmann::ordered_json::array();
    for (const HealthEntry& entry : entries) {
        nlohmann::ordered_json object;
        object["date"] = dateText(entry.day);
        object["full"] = entry.fullCapacity;
        object["design"] = entry.designCapacity;
        if (entry.cycles)
            object["cycles"] = *entry.cycles;
        days.push_back(std::move(object));
    }
    nlohmann::ordered_json root;
    root["days"] = std::move(days);
    return root.dump();
}

std::optional<HealthLog> HealthLog::fromJson(std::string_view json)
{
    const auto root = nlohmann::json::parse(json.begin(), json.end(), nullptr, false);
    if (!root.is_object())
        return std::nullopt;
    const auto days = root.find("days");
    if (days == root.end() || !days->is_array())
        return std::nullopt;
    HealthLog log;
    for (const auto& object : *days) {
        if (!object.is_object())
            return std::nullopt;
        const auto date = object.find("date");
        if (date == object.end() || !date->is_string())
            return std::nullopt;
        const auto day = dayOfDate(date->get_ref<const std::string&>());
        const auto full = integerAt(object, "full");
        const auto design = integerAt(object, "design");
        if (!day || !full || !design || *full < 1 || *design < 1)
            return std::nullopt;
        HealthEntry entry { *day, *full, *design, std::nullopt };
        if (const auto cycles = object.find("cycles");
            cycles != object.end() && !cycles->is_null()) {
            entry.cycles = integerAt(object, "cycles");
            if (!entry.cycles || *entry.cycles < 0)
                return std::nullopt;
        }
        log.entries.push_back(entry);
    }
    std::stable_sort(log.entries.begin(), log.entries.end(),
        [](const HealthEntry& a, const HealthEntry& b) { return a.day < b.day; });
    log.entries.erase(
        std::unique(log.entries.begin(), log.entries.end(),
            [](const HealthEntry& a, const HealthEntry& b) { return a.day == b.day; }),
        log.entries.end());
    return log;
}

std::string HealthLog::toCsv() const
{
    std::string csv = "date,full,design,cycles,health\n";
    for (const HealthEntry& entry : entries) {
        std::array<char, 32> health {};
        std::snprintf(health.data(), health.size(), "%.1f", entry.health());
        csv += dateText(entry.day) + ',' + std::to_string(entry.fullCapacity) + ','
            + std::to_string(entry.designCapacity) + ','
            + (entry.cycles ? std::to_string(*entry.cycles) : std::string()) + ',' + health.data()
            + '\n';
    }
    return csv;
}

CivilDate civilFromDays(std::int64_t day)
{
    // After Howard Hinnant's public-domain algorithm.
    const std::int64_t z = day + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp + (mp < 10 ? 3 : -9);
    return { yoe + era * 400 + (m <= 2 ? 1 : 0), m, d };
}

std::string dateText(std::int64_t day)
{
    const CivilDate c = civilFromDays(day);
    // Room for any three 64-bit numbers, so the compiler can see nothing is cut.
    std::array<char, 64> text {};
    std::snprintf(text.data(), text.size(), "%04lld-%02lld-%02lld", static_cast<long long>(c.year),
        static_cast<long long>(c.month), static_cast<long long>(c.day));
    return text.data();
}

std::optional<std::int64_t> dayOfDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto digits = [text](std::size_t from, std::size_t count) -> std::optional<std::int64_t> {
        std::int64_t value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto y = digits(0, 4);
    const auto m = digits(5, 2);
    const auto d = digits(8, 2);
    if (!y || !m || !d || *y < 1 || *m < 1 || *m > 12 || *d < 1)
        return std::nullopt;
    const std::int64_t day = daysFromCivil(*y, *m, *d);
    // 31 February and the like come back as another date.
    const CivilDate back = civilFromDays(day);
    if (back.month != *m || back.day != *d)
        return std::nullopt;
    return day;
}

} // namespace wattlet
