#pragma once

#include "battery_dictionaries.h"
#include "rate_smoother.h"

#include "core/battery_reading.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace wattlet {

/// Reads a power_supply folder and maps it into the parser's dictionaries. Keeps the smoothed
/// charge rate between calls, so the time estimate of one process does not jump from one read
/// to the next; everything else is read afresh on every call.
class SysfsBatteryReader
{
public:
    /// `clock` gives wall-clock seconds since 1970; it stamps readings and paces the average.
    explicit SysfsBatteryReader(std::filesystem::path root, std::function<double()> clock);

    [[nodiscard]] const std::filesystem::path& root() const { return m_root; }
    /// The dictionaries of the folder as it is now; nothing without a usable system battery.
    [[nodiscard]] std::optional<BatteryDictionaries> dictionaries();
    /// The parsed reading of dictionaries(), stamped with the clock; nothing without a battery.
    [[nodiscard]] std::optional<BatteryReading> read();
    /// The rate's average and how long it has settled, kept between reads.
    [[nodiscard]] RateSmoother& smoother() { return m_smoother; }

private:
    std::filesystem::path m_root;
    std::function<double()> m_clock;
    RateSmoother m_smoother;
};

} // namespace wattlet
