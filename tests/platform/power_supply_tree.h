#pragma once

#include "core/battery_reading.h"

#include <QTemporaryDir>

#include <filesystem>
#include <optional>
#include <string_view>

namespace wattlet::test {

/// Seconds since 1970 at which readTree() reads.
constexpr double readingTime = 1700000000;

/// A reading of a power_supply folder at readingTime by a reader that read it a minute before,
/// so its rate has settled.
[[nodiscard]] std::optional<BatteryReading> readTree(const std::filesystem::path& root);

/// The folder of a recorded power_supply tree under tests/data/power_supply.
[[nodiscard]] std::filesystem::path fixtureTree(std::string_view fixture);

/// A power_supply folder in a temporary directory, assembled from recorded supplies and edits.
class PowerSupplyTree
{
public:
    [[nodiscard]] std::filesystem::path root() const;
    /// Copies the folder `supply` of the recorded tree `fixture`.
    void copy(std::string_view fixture, std::string_view supply);
    /// Writes the attribute file; the supply loses its uevent, so the edit is what is read.
    void set(std::string_view supply, std::string_view attribute, std::string_view value) const;

private:
    QTemporaryDir m_dir;
};

} // namespace wattlet::test
