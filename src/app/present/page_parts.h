#pragma once

#include "core/battery_reading.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

/// Texts and tones the panel's pages share.
namespace wattlet::PageParts {

/// Shown in place of an absent value.
inline const std::string dash = "\u2014";
/// The typographic minus of negative changes.
inline const std::string minus = "\u2212";

/// `text` in upper case by Unicode rules, for section titles.
[[nodiscard]] inline std::string upper(const std::string& text)
{
    return QString::fromStdString(text).toUpper().toStdString();
}

/// "yellow" for a health below BatteryReading::healthLowPercent, else (absent too) "malachite".
[[nodiscard]] inline std::string healthTint(std::optional<std::int64_t> health)
{
    return health && *health < BatteryReading::healthLowPercent ? "yellow" : "malachite";
}

} // namespace wattlet::PageParts
