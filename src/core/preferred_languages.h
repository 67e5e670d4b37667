#pragma once

#include <optional>
#include <string>

namespace wattlet {

/// The user's first preferred language tag from the environment: the first entry of LANGUAGE,
/// then LC_ALL, LC_MESSAGES, LANG; "C", "POSIX" and empty values are skipped. Nothing when none
/// is set. The result is as written ("ru_RU.UTF-8", "en"), so "starts with ru" tests work on it.
[[nodiscard]] std::optional<std::string> firstPreferredLanguage();

/// "ru" when `tag` starts with "ru", "en" for any other tag.
[[nodiscard]] std::string languageCodeFor(const std::string& tag);

} // namespace wattlet
