#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// One message of a gettext PO catalog, its strings unescaped.
struct PoEntry
{
    std::optional<std::string> context;
    std::string id;
    /// Empty for a message without plural forms.
    std::string idPlural;
    /// msgstr, or msgstr[0], msgstr[1], … of a plural message.
    std::vector<std::string> strings;
    bool fuzzy = false;
    /// The line its first keyword stands on, from 1.
    int line = 0;
};

/// A PO catalog: its header (the msgstr of the message with an empty msgid and no context) and
/// its other messages in file order; obsolete ("#~") messages are left out.
struct PoFile
{
    std::string header;
    std::vector<PoEntry> entries;
};

/// A parsed catalog, or the first fault: "line 12: unterminated string".
struct PoParse
{
    std::optional<PoFile> file;
    std::string error;
};

/// Parses `text` strictly: an unknown keyword or escape, a string left open or followed by text,
/// a msgstr without its msgid, plural indices out of order, a message given twice (same context
/// and msgid) or text that is not UTF-8 is a fault, never a guess.
[[nodiscard]] PoParse parsePo(std::string_view text);

/// The value of a header field ("Language", "Plural-Forms"), trimmed; empty when absent.
[[nodiscard]] std::string poHeaderField(const PoFile& file, std::string_view name);

/// The "%d" placeholders of a text, in order of appearance: how many there are.
[[nodiscard]] int placeholderCount(std::string_view text);

} // namespace wattlet
