#include "clean_name.h"

#include <cstdint>
#include <vector>

namespace wattlet {

namespace {

    constexpr char32_t replacement = 0xFFFD;

    struct Decoded
    {
        char32_t code = replacement;
        std::size_t length = 1;
    };

    bool continuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

    // One character at the start of `text` by the rules of RFC 3629: overlong forms, surrogates
    // and code points past U+10FFFF are invalid, and an invalid sequence takes up its longest
    // valid-looking start, at least one byte.
    Decoded decode(std::string_view text)
    {
        const auto lead = static_cast<unsigned char>(text[0]);
        if (lead < 0x80)
            return { lead, 1 };
        std::size_t length = 0;
        char32_t code = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1FU;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0FU;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07U;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return {};
        }
        for (std::size_t i = 1; i < length; ++i) {
            const unsigned char byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
            const bool valid = i == 1 ? byte >= low && byte <= high : continuation(byte);
            if (!valid)
                return { replacement, i };
            code = (code << 6U) | (byte & 0x3FU);
        }
        return { code, length };
    }

    bool isSpace(char32_t c)
    {
        return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
            || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F
            || c == 0x205F || c == 0x3000;
    }

    // Controls move the cursor or the colour of a terminal; the bidirectional formatting
    // characters reorder what follows them, so a name could dress itself up as another text.
    bool isDropped(char32_t c)
    {
        return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200B || c == 0x200E
            || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)
            || c == 0xFEFF;
    }

    void append(std::string& out, char32_t c)
    {
        const auto byte = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
        const auto code = static_cast<std::uint32_t>(c);
        if (code < 0x80) {
            byte(code);
        } else if (code < 0x800) {
            byte(0xC0U | (code >> 6U));
            byte(0x80U | (code & 0x3FU));
        } else if (code < 0x10000) {
            byte(0xE0U | (code >> 12U));
            byte(0x80U | ((code >> 6U) & 0x3FU));
            byte(0x80U | (code & 0x3FU));
        } else {
            byte(0xF0U | (code >> 18U));
            byte(0x80U | ((code >> 12U) & 0x3FU));
            byte(0x80U | ((code >> 6U) & 0x3FU));
            byte(0x80U | (code & 0x3FU));
        }
    }

} // namespace

std::string cleanName(std::string_view raw)
{
    // Enough to fill the longest name whatever the input holds: the rest is never looked at, so
    // a name of megabytes costs no more than one of a line.
    std::vector<char32_t> kept;
    bool readable = false;
    bool pendingSpace = false;
    while (!raw.empty() && kept.size() <= maxNameLength) {
        const Decoded next = decode(raw);
        raw.remove_prefix(next.length);
        if (isSpace(next.code)) {
            pendingSpace = !kept.empty();
            continue;
        }
        if (isDropped(next.code))
            continue;
        if (pendingSpace)
            kept.push_back(U' ');
        pendingSpace = false;
        kept.push_back(next.code);
        readable = readable || next.code != replacement;
    }
    if (!readable)
        return {};
    if (kept.size() > maxNameLength) {
        kept.resize(maxNameLength - 1);
        if (kept.back() == U' ')
            kept.pop_back();
        kept.push_back(U'\u2026');
    }
    std::string out;
    for (const char32_t c : kept)
        append(out, c);
    return out;
}

} // namespace wattlet
