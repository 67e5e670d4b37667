#pragma once

#include "language.h"

#include <string>
#include <vector>

namespace wattlet {

/// The text language for the user's preferred languages (language tags such as "ru_RU.UTF-8" or
/// "en", most preferred first): Russian when the first one starts with "ru" (case-sensitive),
/// English for any other and when there is none.
[[nodiscard]] Language preferredLanguage(const std::vector<std::string>& preferredLanguages);

} // namespace wattlet
