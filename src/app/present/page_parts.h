#pragma once

#include "core/battery_reading.h"
#include "core/battery_text.h"
#include "core/language.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Texts and tones the panel's pages share.
namespace wattlet::PageParts {

/// Looks the text table's keys up in one language: `const Texts t { language }; t("back")`.
struct Texts
{
    Language language;

    [[nodiscard]] std::string operator()(std::string_view key) const
    {
        return BatteryText::t(key, language);
    }
};

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
