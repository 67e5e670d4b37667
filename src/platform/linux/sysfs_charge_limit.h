#pragma once

#include "core/charge_limit_state.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// A battery of the machine and its charge-limit controls, as sysfs shows them to any user.
struct LimitBattery
{
    std::string name;
    ChargeLimitShape shape = ChargeLimitShape::none;
    /// The thresholds held; absent where there is none or it cannot be read.
    std::optional<std::int64_t> start;
    std::optional<std::int64_t> end;

    bool operator==(const LimitBattery&) const = default;
};

/// The IdeaPad conservation switch that belongs with a /sys/class/power_supply-like folder: the
/// ideapad_acpi platform device's, two levels up under bus/.
[[nodiscard]] std::filesystem::path conservationSwitch(const std::filesystem::path& supplyRoot);
/// Whether the conservation switch is on; nothing without a readable 0 or 1.
[[nodiscard]] std::optional<bool> conservationMode(const std::filesystem::path& supplyRoot);

/// The batteries of `supplyRoot` (type Battery, scope not Device, present), by name, with the
/// shape the privileged helper gives them: both threshold files, the end one alone, else the
/// conservation switch when there is one, else none.
[[nodiscard]] std::vector<LimitBattery> limitBatteries(const std::filesystem::path& supplyRoot);

/// The state of the first battery that has a limit: what it holds, and from `store` (the
/// helper's kept choices, world-readable) whether a lift holds the limit off. The route is left
/// for the caller; the obstacle is noHardware.
[[nodiscard]] ChargeLimitState limitState(const std::vector<LimitBattery>& batteries,
    std::optional<bool> conservation, const std::optional<std::string>& store);

} // namespace wattlet
