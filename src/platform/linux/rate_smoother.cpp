#include "rate_smoother.h"

#include <cmath>

namespace wattlet {

std::optional<double> RateSmoother::add(Direction direction, std::optional<double> rate, double now)
{
    const double elapsed = now - m_last;
    const bool fresh = direction != m_direction || !m_average || !(elapsed > 0);
    m_direction = direction;
    m_last = now;
    if (direction == Direction::idle || !rate || !std::isfinite(*rate)) {
        m_average.reset();
        return std::nullopt;
    }
    if (fresh)
        m_average = *rate;
    else
        *m_average += (1.0 - std::exp(-elapsed / timeConstantSeconds)) * (*rate - *m_average);
    return m_average;
}

} // namespace wattlet
