#include "rate_smoother.h"

#include <cmath>
#include <sstream>

namespace wattlet {

std::optional<double> RateSmoother::add(Direction direction, std::optional<double> rate, double now)
{
    const double elapsed = now - m_last;
    const bool newRun = direction != m_direction || !(elapsed >= 0) || elapsed > gapSeconds;
    // Until the direction has settled, the latest rate stands alone: the ones before it still
    // belonged to the change.
    const bool fresh = newRun || !m_average || !(elapsed > 0) || !settled();
    if (newRun) {
        m_since = now;
        m_samples = 0;
    }
    if (m_samples < 2)
        ++m_samples;
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

bool RateSmoother::settled() const
{
    return m_direction != Direction::idle && m_samples >= 2 && m_last - m_since >= settleSeconds;
}

std::string RateSmoother::saved() const
{
    std::ostringstream out;
    out.precision(17);
    out << static_cast<int>(m_direction) << ' ' << m_average.value_or(-1) << ' ' << m_last << ' '
        << m_since << ' ' << m_samples;
    return out.str();
}

void RateSmoother::restore(const std::string& text)
{
    std::istringstream in(text);
    int direction = 0;
    double average = 0;
    double last = 0;
    double since = 0;
    int samples = 0;
    if (!(in >> direction >> average >> last >> since >> samples) || direction < 0 || direction > 2
        || !std::isfinite(average) || !std::isfinite(last) || !std::isfinite(since) || samples < 0)
        return;
    m_direction = static_cast<Direction>(direction);
    m_average = average >= 0 ? std::optional(average) : std::nullopt;
    m_last = last;
    m_since = since;
    m_samples = samples;
}

} // namespace wattlet
