#include "power_profile_view.h"

#include "page_parts.h"

#include "core/power_control_text.h"

#include <algorithm>

namespace wattlet {

std::optional<PowerProfileView> powerProfileView(
    const std::optional<PowerProfilesState>& state, Language language)
{
    if (!state)
        return std::nullopt;
    PowerProfileView view;
    view.title = PageParts::upper(BatteryText::t("profile.title", language));
    view.profiles = state->profiles;
    for (const std::string& profile : state->profiles)
        view.labels.push_back(BatteryText::profileName(profile, language, true));
    const auto active = std::find(view.profiles.begin(), view.profiles.end(), state->active);
    if (active != view.profiles.end())
        view.selected = static_cast<int>(active - view.profiles.begin());
    view.note = BatteryText::profileNote(*state, language);
    return view;
}

} // namespace wattlet
