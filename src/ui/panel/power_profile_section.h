#pragma once

class QLayout;

namespace wattlet {

class PowerProfiles;
struct PowerProfileView;

/// The main page's power mode: its title, a segmented control of the profiles (named
/// "profile") that asks the daemon for the one chosen, and the note under it.
[[nodiscard]] QLayout* powerProfileSection(const PowerProfileView& view, PowerProfiles& profiles);

} // namespace wattlet
