#include "local_day.h"

#include <QDateTime>

#include <cmath>

namespace wattlet {

std::int64_t localDay(double seconds)
{
    // Far beyond any real clock, and well inside what QDateTime handles.
    constexpr double limit = 1e14;
    if (!std::isfinite(seconds) || std::fabs(seconds) > limit)
        return 0;
    const auto ms = static_cast<qint64>(std::floor(seconds * 1000));
    const QDate date = QDateTime::fromMSecsSinceEpoch(ms).date();
    return date.toJulianDay() - QDate(1970, 1, 1).toJulianDay();
}

} // namespace wattlet
