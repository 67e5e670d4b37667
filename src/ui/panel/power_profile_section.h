#pragma once

#include <functional>
#include <string>

class QLayout;

namespace wattlet {

class PowerProfiles;
struct PowerProfileView;

/// The main page's power mode: its title, a segmented control of the profiles (named
/// "profile") that asks the daemon for the one chosen, the note under it, and a row for each
/// of the view's plug choices (named "profileOnBattery", "profileOnPower") whose pick goes to
/// `choosePlug`.
[[nodiscard]] QLayout* powerProfileSection(const PowerProfileView& view, PowerProfiles& profiles,
    std::function<void(bool onPower, const std::string& profile)> choosePlug);

} // namespace wattlet
