#pragma once

#include "charge_limit_state.h"
#include "power_profiles_state.h"

#include <optional>

namespace wattlet {

/// What the user can change of the machine's power, for the command line's reports: the charge
/// limit and the power profiles; each absent when it was not asked or not found.
struct PowerControls
{
    std::optional<ChargeLimitState> chargeLimit;
    std::optional<PowerProfilesState> profiles;

    bool operator==(const PowerControls&) const = default;
};

} // namespace wattlet
