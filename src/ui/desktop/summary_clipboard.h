#pragma once

#include "core/battery_reading.h"
#include "core/language.h"

#include <optional>

namespace wattlet {

/// Puts the reading's summary in `language` on the clipboard as plain text; without a reading
/// the clipboard keeps what it had.
void copySummary(const std::optional<BatteryReading>& reading, Language language);

} // namespace wattlet
