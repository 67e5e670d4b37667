#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// One entry of a power_supply class folder: its folder name and the attribute texts that could
/// be read, keyed by lower-case attribute name ("status", "charge_now", …) with the trailing
/// newline removed. An attribute that could not be read (missing file, EIO, ENODATA, a file that
/// vanished) is simply not in the map.
struct PowerSupply
{
    std::string name;
    std::map<std::string, std::string, std::less<>> attributes;

    /// The attribute's text without surrounding white space; nothing when missing or blank.
    [[nodiscard]] std::optional<std::string_view> text(std::string_view attribute) const;
    /// The attribute as a whole decimal integer (sign allowed, white space around ignored);
    /// nothing for a missing attribute, an empty text, garbage or a number beyond 64 bits.
    [[nodiscard]] std::optional<std::int64_t> number(std::string_view attribute) const;
    /// number(), or nothing when it lies outside [least, most].
    [[nodiscard]] std::optional<std::int64_t> numberIn(
        std::string_view attribute, std::int64_t least, std::int64_t most) const;
    /// The selected entry of a choice attribute ("auto [inhibit-charge]" gives "inhibit-charge");
    /// the whole text when no entry is bracketed; nothing when missing or blank.
    [[nodiscard]] std::optional<std::string_view> choice(std::string_view attribute) const;
};

/// Adds the POWER_SUPPLY_* lines of a uevent text that name attributes the battery mapping uses,
/// under their lower-case attribute names; other lines are skipped. A later line wins.
void takeUevent(PowerSupply& supply, std::string_view uevent);

/// How the attributes of one supply are fetched. `uevent` reads the supply's `uevent` file once
/// (one consistent snapshot of every property the driver reports), then the few attribute files
/// that are not properties (charge thresholds, charge behaviour, a `type` missing from old
/// uevents); a supply without a readable `uevent` falls back to its attribute files.
/// `attributeFiles` reads each attribute the battery mapping uses from its own file.
enum class SysfsReadMode { uevent, attributeFiles };

/// Every supply folder in `root` (a /sys/class/power_supply-like folder; symbolic links to
/// folders count), sorted by name. A missing or unreadable root gives no supplies.
[[nodiscard]] std::vector<PowerSupply> readPowerSupplies(
    const std::filesystem::path& root, SysfsReadMode mode = SysfsReadMode::uevent);

} // namespace wattlet
