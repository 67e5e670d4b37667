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

} // namespace wattlet
