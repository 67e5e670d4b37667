#include "core/clean_name.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

} // namespace

TEST(CleanName, HostileNamesBecomeOneShortLineOfPlainText)
{
    const std::string hostileLink
        = "AT&T Mouse <b>X</b> <a href=\"http://evil.example/\">click</a> "
          "<img src=\"file:///etc/passwd\"/>";
    const std::vector<std::pair<std::string, std::string>> cases {
        { " \tLogi\n\n K380\r\n", "Logi K380" },
        // Markup is text here; the notification escapes it where the server reads markup.
        { hostileLink, "AT&T Mouse <b>X</b> <a href=\"http://evil.exampl\u2026" },
        { std::string(20000, 'M') + "\u202E\x1B[31m\a\n\t", std::string(47, 'M') + "\u2026" },
        { "Mouse\u202E\x1B[31m\a\n\tX", "Mouse[31m X" },
        { "\u2067evil\u2069 \u200Fname\u061C\uFEFF", "evil name" },
        { "Pad\xC2\x9B"
          "2J\xC2\x85next\xC2\xA0\u3000end",
            "Pad2J next end" },
        { std::string(48, 'a'), std::string(48, 'a') },
        { std::string(46, 'a') + " bbbbbbbbbb", std::string(46, 'a') + "\u2026" },
        // Cut between characters, never inside one.
        { repeated("\u0416", 60), repeated("\u0416", 47) + "\u2026" },
        { "Caf\xE9 Mouse", "Caf\uFFFD Mouse" },
        { "ok\xE2\x82", "ok\uFFFD" },
        // Overlong, surrogate, past U+10FFFF, stray continuation: nothing readable is left.
        { "\xC0\xAF \xED\xA0\x80\xF4\x90\x80\x80\x80", "" },
        { "\x1B\a \t\u202E", "" },
    };
    for (const auto& [raw, clean] : cases) {
        SCOPED_TRACE(raw.substr(0, 80));
        EXPECT_EQ(wattlet::cleanName(raw), clean);
    }
}
