#pragma once

#include "language.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// The text language for the user's preferred languages (locale names such as "pt_BR.UTF-8@euro",
/// "de" or "de-DE", most preferred first): each is tried as itself without its encoding and
/// modifier ("pt_BR"), then as its bare language ("pt"); the first with a catalog, or English,
/// wins. English when none has one.
[[nodiscard]] Language preferredLanguage(const std::vector<std::string>& preferredLanguages);

/// "auto", or the chosen language's code ("en", "ru", "pt_BR").
[[nodiscard]] std::string rawValue(LanguageChoice choice);
/// "auto" or the code of a language with a catalog, exactly (case-sensitive); nothing for any
/// other text.
[[nodiscard]] std::optional<LanguageChoice> languageChoiceFromRaw(std::string_view raw);
/// The language the texts are written in for `choice`: the chosen one; for auto
/// preferredLanguage() of `preferredLanguages`.
[[nodiscard]] Language textLanguage(
    LanguageChoice choice, const std::vector<std::string>& preferredLanguages);

} // namespace wattlet
