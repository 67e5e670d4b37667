#pragma once

#include "core/language.h"
#include "core/power_profiles_state.h"

#include <optional>
#include <string>
#include <vector>

namespace wattlet {

/// The power mode's control on the main page: the profiles by short name, the active one, and
/// why performance is reduced or who holds the profile.
struct PowerProfileView
{
    std::string title;
    std::vector<std::string> labels;
    /// The daemon's names, in the order of labels.
    std::vector<std::string> profiles;
    /// Index of the active profile; -1 when the daemon names one it does not list.
    int selected = -1;
    /// One line each; empty for none.
    std::string note;
};

/// The control for `state`; absent without a daemon.
[[nodiscard]] std::optional<PowerProfileView> powerProfileView(
    const std::optional<PowerProfilesState>& state, Language language);

} // namespace wattlet
