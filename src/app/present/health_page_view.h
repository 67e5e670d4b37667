#pragma once

#include "core/battery_reading.h"
#include "core/health_log.h"
#include "core/language.h"

#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// Everything the battery health page shows, as texts and chart values.
struct HealthPageView
{
    struct Row
    {
        std::string k;
        std::string v;
    };

    std::string title;
    /// The back button's text.
    std::string back;
    /// "Full capacity" in upper case, and the chart's range ("90–102 %") beside it.
    std::string chartTitle;
    std::string range;
    /// Fewer than two recorded days: the empty text replaces the chart and its axis.
    bool empty = true;
    std::string emptyText;
    /// Full capacity as a percentage of design, one value per step from the first recorded day
    /// to the last, scaled so the range fills the chart's 0–100.
    std::vector<double> values;
    std::string tint;
    /// Month labels under the chart: the first month, the middle one and the last one.
    std::vector<std::string> axis;
    std::vector<Row> rows;
    /// The plain sentence while there are fewer than 30 days of records.
    std::optional<std::string> note;
};

/// The health page for `log` and the current `reading` (whose health is today's when it has
/// one), in `language`.
[[nodiscard]] HealthPageView healthPageView(
    const HealthLog& log, const std::optional<BatteryReading>& reading, Language language);

} // namespace wattlet
