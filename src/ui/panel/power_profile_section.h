#pragma once

#include <functional>
#include <string>

class QLayout;

namespace wattlet {

class PowerProfiles;
struct PowerProfileView;

/// The main page's power mode: its title, a segmented control of the profiles (named
/// "profile") that asks the daemon for the one chosen, and the note under it.
[[nodiscard]] QLayout* powerProfileSection(const PowerProfileView& view, PowerProfiles& profiles);

/// The settings page's rows of the view's plug choices, a label and a segmented control each
/// (named "profileOnBattery", "profileOnPower"), whose pick goes to `choosePlug`.
[[nodiscard]] QLayout* plugChoices(const PowerProfileView& view,
    std::function<void(bool onPower, const std::string& profile)> choosePlug);

} // namespace wattlet
