#pragma once

#include "battery_reading.h"
#include "property_value.h"

#include <cstdint>
#include <optional>

namespace wattlet::BatteryParse {

/// Integer of a property value: integers as they are, unsigned values of 2^63 or more by their
/// bit pattern, floating point truncated toward zero; then a value in [2^31, 2^32) is read as a
/// signed 32-bit number (4294966116 → −1180). Null, non-numbers and doubles that are NaN,
/// infinite or outside the int64 range give nothing.
[[nodiscard]] std::optional<std::int64_t> intValue(const PropertyValue* value);

/// The reading described by the power-source description, the battery registry entry and the
/// battery pack entry, stamped with `now`. Never fails: missing or mistyped keys leave fields
/// absent or at their fallbacks. Huge values never overflow: the charge is computed exactly and
/// clamped to 0–100 whatever the capacities, and a current derived from a battery power whose
/// mW × 1000 leaves the int64 range stays absent. The adapter's name passes through cleanName();
/// a name with nothing readable left is absent.
[[nodiscard]] BatteryReading reading(
    const PropertyDict& power, const PropertyDict& registry, const PropertyDict& pack, double now);

} // namespace wattlet::BatteryParse
