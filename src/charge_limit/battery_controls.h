#pragma once

#include "charge_limit/attribute_file.h"
#include "charge_limit/charge_limit_command.h"

#include <optional>
#include <string>

namespace wattlet {

/// The charge limit a battery's driver offers: start and end thresholds, an end threshold only,
/// a firmware-fixed limit that is only switched on or off (IdeaPad conservation mode), or none.
enum class LimitShape { startAndEnd, endOnly, fixed, none };

/// A battery opened for its charge limit. `folder` holds the controls: the battery's own folder,
/// or for a fixed limit the ideapad_acpi device's; both lie in /sys/devices.
struct BatteryControls
{
    std::string name;
    LimitShape shape = LimitShape::none;
    UniqueFd folder;
};

/// Opens /sys/class/power_supply/NAME when its folder resolves inside /sys/devices, its type is
/// Battery, its scope is not Device, and every control file present is a plain file; otherwise
/// absent, with a refusal in `failure`.
std::optional<BatteryControls> openBattery(const std::string& name, HelperFailure& failure);

/// A hardware-cannot failure when the limit does not suit the battery: no controls at all, END
/// alone for start-and-end thresholds, START for the other shapes.
std::optional<HelperFailure> checkLimitFits(
    const BatteryControls& battery, const ChargeLimit& limit);

/// The limit that lets the battery charge to full: start 0 and end 100, or end 100 alone.
ChargeLimit fullChargeLimit(LimitShape shape);

/// Writes the limit so that start stays below end at every step (raising the end first, or
/// lowering the start first) and skips each value the battery already holds. A fixed limit is
/// on for an end below 100.
std::optional<HelperFailure> applyLimit(const BatteryControls& battery, const ChargeLimit& limit);

/// What the battery holds, as the helper's output line: "NAME START END" with "-" for a
/// threshold it lacks, or "NAME fixed on|off"; "?" for a value that cannot be read, and then
/// `complete` is false.
struct HeldLine
{
    std::string text;
    bool complete = true;
};
HeldLine describeHeld(const BatteryControls& battery);

/// True when a mains, USB or wireless supply of system scope reports itself online.
bool externalSupplyOnline();

} // namespace wattlet
