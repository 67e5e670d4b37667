#pragma once

#include "peripheral.h"
#include "power_controls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wattlet {

/// What the running tray knows and the command line's reports would otherwise ask the system
/// bus for: the peripherals, the charge limit and the power profiles. `pid` and `started` (its
/// start time, in clock ticks since boot) name the tray process that wrote it, so a report can
/// tell a live tray's state from one a crashed tray left behind.
struct TrayState
{
    std::int64_t pid = 0;
    std::int64_t started = 0;
    Peripherals devices;
    PowerControls controls;

    bool operator==(const TrayState&) const = default;
};

/// The state as one JSON object.
[[nodiscard]] std::string trayStateJson(const TrayState& state);
/// The state trayStateJson() wrote; nothing for any other text, a part missing or of the wrong
/// type, or a name no enum has.
[[nodiscard]] std::optional<TrayState> trayStateFromJson(std::string_view json);

} // namespace wattlet
