#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wattlet {

/// The value of `key` in the [General] section of a settings file in the INI form Qt writes
/// (QSettings): the text after "key=", without surrounding blanks or double quotes; the last
/// one when the key repeats; nothing when it is missing. Escapes are not decoded: enough for
/// the plain words and numbers that the command line's reports read.
[[nodiscard]] std::optional<std::string> iniGeneralValue(
    std::string_view text, std::string_view key);

/// A whole decimal number with an optional minus sign and nothing else; nothing otherwise.
[[nodiscard]] std::optional<std::int64_t> wholeNumber(std::string_view text);

} // namespace wattlet
