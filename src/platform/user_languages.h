#pragma once

#include <string>
#include <vector>

namespace wattlet {

/// The user's preferred languages as the system states them, most preferred first, as written
/// ("ru_RU.UTF-8", "en"). On Linux: the entries of LANGUAGE in order, then LC_ALL, LC_MESSAGES and
/// LANG; "C", "POSIX", their variants and empty values name no language and are skipped.
/// Empty when none is set.
[[nodiscard]] std::vector<std::string> userLanguages();

} // namespace wattlet
