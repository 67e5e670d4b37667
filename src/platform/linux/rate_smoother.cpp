#include "rate_smoother.h"

#include <array>
#include <charconv>
#include <cmath>

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
    // Without streams: a report starts faster without their locale.
    std::string text;
    std::array<char, 32> buffer {};
    for (const double value : { static_cast<double>(m_direction), m_average.value_or(-1), m_last,
             m_since, static_cast<double>(m_samples) }) {
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
        text += (text.empty() ? "" : " ") + std::string(buffer.data(), end);
    }
    return text;
}

void RateSmoother::restore(const std::string& text)
{
    std::array<double, 5> values {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (double& value : values) {
        while (at != end && *at == ' ')
            ++at;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || !std::isfinite(value))
            return;
        at = next;
    }
    const auto [direction, average, last, since, samples] = values;
    if (at != end || (direction != 0 && direction != 1 && direction != 2) || samples < 0)
        return;
    m_direction = static_cast<Direction>(static_cast<int>(direction));
    m_average = average >= 0 ? std::optional(average) : std::nullopt;
    m_last = last;
    m_since = since;
    m_samples = samples >= 2 ? 2 : static_cast<int>(samples);
}

} // namespace wattlet
