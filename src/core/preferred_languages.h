#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wattlet {

/// The user's first preferred language tag from the environment: the first entry of LANGUAGE,
/// then LC_ALL, LC_MESSAGES, LANG; "C", "POSIX" and empty values are skipped. Nothing when none
/// is set. The result is as written ("ru_RU.UTF-8", "en").
[[nodiscard]] std::optional<std::string> firstPreferredLanguage();

/// The text language the user prefers: "ru" when the first preferred language starts with "ru"
/// (case-sensitive), "en" for any other, `whenNone` when the environment names none.
[[nodiscard]] std::string preferredLanguageCode(std::string_view whenNone);

} // namespace wattlet
