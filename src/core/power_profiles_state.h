#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// A program that holds a power profile for as long as it runs ("powerprofilesctl launch").
struct PowerProfileHold
{
    std::string profile;
    std::string reason;
    std::string applicationId;

    bool operator==(const PowerProfileHold&) const = default;
};

/// The power profiles of the system's daemon: the ones it offers ("power-saver", "balanced",
/// "performance"), in its order, the active one, why performance is degraded (empty when it is
/// not: "lap-detected", "high-operating-temperature", …) and the holds of other programs.
struct PowerProfilesState
{
    std::vector<std::string> profiles;
    std::string active;
    std::string degraded;
    std::vector<PowerProfileHold> holds;

    bool operator==(const PowerProfilesState&) const = default;
};

/// The profiles the power mode may follow the plug to, in the order offered: on battery
/// power-saver and balanced, on power balanced and performance.
[[nodiscard]] std::vector<std::string> plugProfiles(bool onPower);

/// The profile to ask the daemon for when the plug changes and the user chose `choice` for the
/// new supply: nothing when the choice is empty (leave the mode as it is), the daemon does not
/// offer it, it is active already, or another program holds a profile.
[[nodiscard]] std::optional<std::string> plugProfileTarget(
    const PowerProfilesState& state, const std::string& choice);

} // namespace wattlet
