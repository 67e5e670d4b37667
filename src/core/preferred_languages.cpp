#include "preferred_languages.h"

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

std::optional<std::string> firstPreferredLanguage()
{
    constexpr std::array variables { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" };
    for (const char* variable : variables) {
        const char* raw = std::getenv(variable);
        if (raw == nullptr)
            continue;
        std::string_view value = raw;
        if (std::string_view(variable) == "LANGUAGE")
            value = value.substr(0, value.find(':'));
        if (!namesNoLanguage(value))
            return std::string(value);
    }
    return std::nullopt;
}

std::string preferredLanguageCode(std::string_view whenNone)
{
    const auto tag = firstPreferredLanguage();
    if (!tag)
        return std::string(whenNone);
    return tag->starts_with("ru") ? "ru" : "en";
}

} // namespace wattlet
