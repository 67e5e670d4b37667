#pragma once

#include "language.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// The text language for the user's preferred languages (language tags such as "ru_RU.UTF-8" or
/// "en", most preferred first): Russian when the first one starts with "ru" (case-sensitive),
/// English for any other and when there is none.
[[nodiscard]] Language preferredLanguage(const std::vector<std::string>& preferredLanguages);

/// "auto", "en" or "ru".
[[nodiscard]] std::string_view rawValue(LanguageChoice choice);
/// Exactly "auto", "en" or "ru" (case-sensitive); nothing for any other text.
[[nodiscard]] std::optional<LanguageChoice> languageChoiceFromRaw(std::string_view raw);
/// The language the texts are written in for `choice`: English or Russian as chosen; for auto
/// preferredLanguage() of `preferredLanguages`.
[[nodiscard]] Language textLanguage(
    LanguageChoice choice, const std::vector<std::string>& preferredLanguages);

} // namespace wattlet
