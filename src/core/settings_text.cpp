#include "settings_text.h"

#include <charconv>

namespace wattlet {

namespace {

    std::string_view trimmed(std::string_view text)
    {
        constexpr std::string_view blanks = " \t\r";
        const auto first = text.find_first_not_of(blanks);
        if (first == std::string_view::npos)
            return {};
        return text.substr(first, text.find_last_not_of(blanks) - first + 1);
    }

} // namespace

std::optional<std::string> iniGeneralValue(std::string_view text, std::string_view key)
{
    std::optional<std::string> found;
    bool general = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with('[')) {
            general = line == "[General]";
            continue;
        }
        const auto equals = line.find('=');
        if (!general || equals == std::string_view::npos || trimmed(line.substr(0, equals)) != key)
            continue;
        std::string_view value = trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        found = std::string(value);
    }
    return found;
}

std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace wattlet
