#include "platform/user_languages.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

namespace wattlet {

namespace {

    // "C", "POSIX" and their variants ("C.UTF-8", "POSIX@euro") name no language.
    bool namesNoLanguage(std::string_view value)
    {
        const std::string_view name = value.substr(0, value.find_first_of(".@"));
        return name.empty() || name == "C" || name == "POSIX";
    }

} // namespace

std::vector<std::string> userLanguages()
{
    constexpr std::array variables { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" };
    std::vector<std::string> languages;
    for (const char* variable : variables) {
        const char* raw = std::getenv(variable);
        if (raw == nullptr)
            continue;
        // Only LANGUAGE lists several, separated by colons, in the user's order.
        const char separator = std::string_view(variable) == "LANGUAGE" ? ':' : '\0';
        for (std::string_view rest = raw; !rest.empty();) {
            const auto end = std::min(rest.find(separator), rest.size());
            const std::string_view value = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            if (!namesNoLanguage(value))
                languages.emplace_back(value);
        }
    }
    return languages;
}

} // namespace wattlet
