#include "warning_levels.h"

namespace wattlet {

namespace {

    bool inRange(std::int64_t percent)
    {
        return percent >= WarningLevels::minPercent && percent <= WarningLevels::maxPercent;
    }

} // namespace

bool WarningLevels::valid() const
{
    return inRange(lowPercent) && inRange(criticalPercent) && inRange(deviceLowPercent)
        && criticalPercent < lowPercent;
}

WarningLevels WarningLevels::stored(std::optional<std::int64_t> low,
    std::optional<std::int64_t> critical, std::optional<std::int64_t> deviceLow)
{
    const WarningLevels defaults;
    const auto level = [](std::optional<std::int64_t> value, std::int64_t fallback) {
        return value && inRange(*value) ? *value : fallback;
    };
    WarningLevels levels { level(low, defaults.lowPercent),
        level(critical, defaults.criticalPercent), level(deviceLow, defaults.deviceLowPercent) };
    if (!levels.valid()) {
        levels.lowPercent = defaults.lowPercent;
        levels.criticalPercent = defaults.criticalPercent;
    }
    return levels;
}

} // namespace wattlet
