#pragma once

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

} // namespace wattlet
