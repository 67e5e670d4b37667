#pragma once

#include <optional>
#include <string>

namespace wattlet {

/// An exponential average of the battery's charge or discharge rate over about two minutes,
/// so time estimates computed from it do not jump between refreshes a few seconds apart.
/// Samples are weighted by the time since the previous one, so extra reads do not bias it.
/// It also tells whether the rate has settled since the charge began to move this way.
class RateSmoother
{
public:
    enum class Direction { idle, charging, discharging };

    static constexpr double timeConstantSeconds = 120.0;
    /// How long a direction must last before its rate counts: Smart Battery gauges (the
    /// recorded sbs trees) average their current over a minute, and ACPI firmware refreshes its
    /// rate about as often, so the first minute after a plug change still mixes in the last.
    static constexpr double settleSeconds = 60.0;
    /// A longer pause between samples is a suspend or a lost track: the run starts afresh.
    static constexpr double gapSeconds = 300.0;

    /// Adds the rate (any positive unit, e.g. µA) measured at `now` (seconds) and returns the
    /// average. The average starts afresh when the direction changes, when the clock goes
    /// backwards or jumps by more than gapSeconds, or after an idle or rateless sample, and
    /// follows the latest rate alone until settled(); idle or a missing rate gives nothing.
    std::optional<double> add(Direction direction, std::optional<double> rate, double now);
    /// Whether the current direction has lasted settleSeconds over at least two samples
    /// (rateless ones included: a driver's own time needs the same minute); never while idle.
    [[nodiscard]] bool settled() const;

    /// The state as one line of text, for a process that reads once and runs again.
    [[nodiscard]] std::string saved() const;
    /// The state saved() gave; unchanged when `text` is not such a line.
    void restore(const std::string& text);

private:
    Direction m_direction = Direction::idle;
    std::optional<double> m_average;
    double m_last = 0;
    double m_since = 0;
    int m_samples = 0;
};

} // namespace wattlet
