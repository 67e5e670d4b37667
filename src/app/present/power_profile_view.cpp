#include "power_profile_view.h"

#include "page_parts.h"

#include "core/power_control_text.h"

#include <algorithm>

namespace wattlet {

namespace {

    PowerProfileView::PlugChoice plugChoice(
        const PowerProfilesState& state, bool onPower, const std::string& chosen, Language language)
    {
        PowerProfileView::PlugChoice choice;
        choice.label = BatteryText::t(onPower ? "profile.onPower" : "profile.onBattery", language);
        for (const std::string& profile : plugProfiles(onPower)) {
            if (std::find(state.profiles.begin(), state.profiles.end(), profile)
                == state.profiles.end())
                continue;
            choice.profiles.push_back(profile);
            choice.labels.push_back(BatteryText::profileName(profile, language, true));
        }
        choice.profiles.emplace_back();
        choice.labels.push_back(BatteryText::t("profile.keep", language));
        const auto at = std::find(choice.profiles.begin(), choice.profiles.end(), chosen);
        if (at != choice.profiles.end())
            choice.selected = static_cast<int>(at - choice.profiles.begin());
        return choice;
    }

} // namespace

std::optional<PowerProfileView> powerProfileView(const std::optional<PowerProfilesState>& state,
    Language language, const std::string& onBattery, const std::string& onPower)
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
    if (!state->holds.empty() && !(onBattery.empty() && onPower.empty()))
        view.note += (view.note.empty() ? "" : "\n") + BatteryText::t("profile.plugHeld", language);
    view.plug = { plugChoice(*state, false, onBattery, language),
        plugChoice(*state, true, onPower, language) };
    return view;
}

} // namespace wattlet
