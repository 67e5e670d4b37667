#include "health_page_view.h"

#include "page_parts.h"

#include "core/battery_text.h"

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    using BatteryText::dash;
    using BatteryText::minus;
    using PageParts::Texts;
    using PageParts::upper;

    constexpr std::int64_t chartPoints = 120;

    std::string monthLabel(std::int64_t day, const Texts& t)
    {
        const CivilDate date = civilFromDays(day);
        return t("mon." + std::to_string(date.month)) + " "
            + BatteryText::integer(date.year, t.language);
    }

    std::string signedPercent(double value, Language language)
    {
        const std::string magnitude = BatteryText::num(std::fabs(value), 1, language);
        if (magnitude == BatteryText::integer(0, language))
            return BatteryText::percentOf(magnitude, language);
        return (value < 0 ? minus : "+") + BatteryText::percentOf(magnitude, language);
    }

    // The health of the latest entry at or before each step, over the recorded days.
    std::vector<double> steps(const HealthLog& log)
    {
        const auto& entries = log.entries;
        const auto first = static_cast<double>(entries.front().day);
        const double span = static_cast<double>(entries.back().day) - first;
        std::vector<double> values;
        std::size_t at = 0;
        for (std::int64_t i = 0; i < chartPoints; ++i) {
            const double day = first + span * static_cast<double>(i) / (chartPoints - 1);
            while (at + 1 < entries.size() && static_cast<double>(entries[at + 1].day) <= day)
                ++at;
            values.push_back(entries[at].health());
        }
        return values;
    }

    void chart(HealthPageView& view, const HealthLog& log, const Texts& t)
    {
        view.chartTitle = upper(t("health.chart"));
        view.empty = log.entries.size() < 2;
        if (view.empty) {
            view.emptyText = t("health.empty");
            return;
        }
        std::vector<double> values = steps(log);
        const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
        // Whole tens of points below, at least 100 above: a fade of a few points stays visible.
        const double bottom = std::clamp(std::floor((*lowest - 2) / 10) * 10, 0.0, 90.0);
        const double top = std::max(100.0, std::ceil(*highest));
        for (double& value : values)
            value = (value - bottom) / (top - bottom) * 100;
        view.values = std::move(values);
        view.range = BatteryText::num(bottom, 0, t.language) + "\u2013"
            + BatteryText::percentOf(BatteryText::num(top, 0, t.language), t.language);
        const std::int64_t first = log.entries.front().day;
        const std::int64_t last = log.entries.back().day;
        view.axis = { monthLabel(first, t), monthLabel(first + (last - first) / 2, t),
            monthLabel(last, t) };
    }

} // namespace

HealthPageView healthPageView(
    const HealthLog& log, const std::optional<BatteryReading>& reading, Language language)
{
    const Texts t { language };
    HealthPageView view;
    view.title = t("health.title");
    view.back = t("back");
    // Today's health: the reading's, else the newest entry's.
    auto health = reading ? reading->health() : std::nullopt;
    if (!health && !log.entries.empty())
        health = roundedHealth(log.entries.back().health());
    view.tint = PageParts::healthTint(health);
    chart(view, log, t);

    view.rows.push_back(
        { t("health.now"), health ? BatteryText::percent(*health, t.language) : dash });
    const HealthTrend trend = log.trend();
    if (trend.perMonth)
        view.rows.push_back({ t("health.perMonth"), signedPercent(*trend.perMonth, language) });
    if (trend.per100Cycles)
        view.rows.push_back(
            { t("health.perCycles"), signedPercent(*trend.per100Cycles, language) });
    view.rows.push_back({ t("health.days"),
        BatteryText::integer(static_cast<std::int64_t>(log.entries.size()), t.language) });
    if (trend.spanDays < HealthLog::minimumTrendDays) {
        view.note = BatteryText::replacingPlaceholder(
            t("health.wait"), BatteryText::integer(trend.spanDays, t.language));
    }
    return view;
}

} // namespace wattlet
