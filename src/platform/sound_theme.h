#pragma once

#include <string_view>

/// The sound themes installed for the desktop's event sounds.
namespace wattlet::SoundTheme {

/// Whether an installed theme holds the sound `name` ("battery-low"): on Linux a file
/// sounds/THEME/stereo/NAME.oga, .ogg or .wav under the XDG data folders ($XDG_DATA_HOME, then
/// $XDG_DATA_DIRS, by default /usr/local/share and /usr/share), looked up anew on every call.
[[nodiscard]] bool installed(std::string_view name);

} // namespace wattlet::SoundTheme
