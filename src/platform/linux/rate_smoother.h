#pragma once

#include <optional>

namespace wattlet {

/// An exponential average of the battery's charge or discharge rate over about two minutes,
/// so time estimates computed from it do not jump between refreshes a few seconds apart.
/// Samples are weighted by the time since the previous one, so extra reads do not bias it.
class RateSmoother
{
public:
    enum class Direction { idle, charging, discharging };

    static constexpr double timeConstantSeconds = 120.0;

    /// Adds the rate (any positive unit, e.g. µA) measured at `now` (seconds) and returns the
    /// average. The average starts afresh when the direction changes, when the clock goes
    /// backwards, or after an idle or rateless sample; idle or a missing rate gives nothing.
    std::optional<double> add(Direction direction, std::optional<double> rate, double now);

private:
    Direction m_direction = Direction::idle;
    std::optional<double> m_average;
    double m_last = 0;
};

} // namespace wattlet
