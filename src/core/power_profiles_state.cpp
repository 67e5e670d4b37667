#include "power_profiles_state.h"

#include <algorithm>

namespace wattlet {

std::vector<std::string> plugProfiles(bool onPower)
{
    if (onPower)
        return { "balanced", "performance" };
    return { "power-saver", "balanced" };
}

std::optional<std::string> plugProfileTarget(
    const PowerProfilesState& state, const std::string& choice)
{
    // A hold is another program's wish (a game, a build): it outranks ours.
    if (choice.empty() || choice == state.active || !state.holds.empty()
        || std::find(state.profiles.begin(), state.profiles.end(), choice) == state.profiles.end())
        return std::nullopt;
    return choice;
}

} // namespace wattlet
