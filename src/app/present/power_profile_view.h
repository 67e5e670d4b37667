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

    /// What the mode switches to when the charger goes ("On battery") or comes ("On power").
    struct PlugChoice
    {
        std::string label;
        std::vector<std::string> labels;
        /// The profiles of labels, the daemon's that may follow the plug, then "" for "Leave as
        /// is".
        std::vector<std::string> profiles;
        int selected = -1;
    };
    /// On battery, then on power.
    std::vector<PlugChoice> plug;
};

/// The control for `state`; absent without a daemon. `onBattery` and `onPower` are the profiles
/// chosen to follow the plug (Prefs::plugProfile()); while a program holds a profile, the note
/// says the mode does not follow the plug.
[[nodiscard]] std::optional<PowerProfileView> powerProfileView(
    const std::optional<PowerProfilesState>& state, Language language,
    const std::string& onBattery = {}, const std::string& onPower = {});

} // namespace wattlet
