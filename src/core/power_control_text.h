#pragma once

#include "charge_limit_state.h"
#include "language.h"
#include "power_profiles_state.h"

#include <string>

/// The texts of the charge limit and the power mode, in the language given.
namespace wattlet::BatteryText {

/// A limit as a value: "75–80 %" (a start of 0 is left out: "80 %"), "Off".
[[nodiscard]] std::string chargeLimitText(const ChargeLimitRequest& limit, Language language);
/// What the battery holds: chargeLimitText() of its thresholds, "on (the firmware's level)" for
/// a fixed limit, "100 % once" during a lift, "Off"; the dash without a limit to show.
[[nodiscard]] std::string chargeLimitValue(const ChargeLimitState& state, Language language);
/// The summary's line: "Charge limit: 75–80 % · can be changed here".
[[nodiscard]] std::string chargeLimitLine(const ChargeLimitState& state, Language language);
/// What the limit does now, as a sentence: "Charging stops at 80 % and starts again below 75 %.",
/// the fixed limit's, the lift's, or "The battery charges to 100 %."
[[nodiscard]] std::string chargeLimitStatus(const ChargeLimitState& state, Language language);
/// Why the limit cannot be changed here; empty when it can.
[[nodiscard]] std::string chargeLimitObstacle(const ChargeLimitState& state, Language language);

/// A profile's name ("Balanced"), or its short form for a narrow control ("Saver"); the raw
/// name for a profile we do not know.
[[nodiscard]] std::string profileName(const std::string& profile, Language language, bool brief);
/// "Performance is reduced: the laptop is on a lap"; empty when it is not reduced.
[[nodiscard]] std::string profileDegraded(const PowerProfilesState& state, Language language);
/// "Held by org.gnome.Builder: compiling", one line per hold of the active profile; empty
/// without one.
[[nodiscard]] std::string profileHolds(const PowerProfilesState& state, Language language);
/// profileDegraded() and profileHolds(), a line each; empty without either.
[[nodiscard]] std::string profileNote(const PowerProfilesState& state, Language language);
/// The summary's line: "Power mode: Balanced".
[[nodiscard]] std::string profileLine(const PowerProfilesState& state, Language language);

} // namespace wattlet::BatteryText
