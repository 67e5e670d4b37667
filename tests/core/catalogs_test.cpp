#include "core/battery_text.h"
#include "core/plural_rule.h"
#include "core/po_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using namespace wattlet;

namespace {

std::string poText(const std::string& name)
{
    std::ifstream file(WATTLET_PO_DIR "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> linguas()
{
    std::istringstream lines(poText("LINGUAS"));
    std::vector<std::string> codes;
    for (std::string line; std::getline(lines, line);)
        if (!line.starts_with('#') && !line.empty())
            codes.push_back(line);
    return codes;
}

} // namespace

// What translators deliver: every message of the template translated, none fuzzy, each form with
// the English text's placeholders, and the language's own conventions well formed.
TEST(Catalogs, EveryCatalogIsCompleteWithTheTemplatesPlaceholders)
{
    const PoParse pot = parsePo(poText("wattlet.pot"));
    ASSERT_TRUE(pot.file) << pot.error;
    for (const std::string& code : linguas()) {
        SCOPED_TRACE(code);
        const PoParse po = parsePo(poText(code + ".po"));
        ASSERT_TRUE(po.file) << po.error;
        const auto rule = PluralRule::parse(poHeaderField(*po.file, "Plural-Forms"));
        ASSERT_TRUE(rule);
        std::set<std::pair<std::string, std::string>> translated;
        for (const PoEntry& entry : po.file->entries) {
            SCOPED_TRACE(entry.context.value_or("") + " | " + entry.id);
            EXPECT_FALSE(entry.fuzzy);
            const bool plural = !entry.idPlural.empty();
            EXPECT_EQ(entry.strings.size(), plural ? static_cast<std::size_t>(rule->count()) : 1U);
            for (const std::string& string : entry.strings) {
                EXPECT_FALSE(string.empty());
                // A plural form may leave the number out where the language names it ("one").
                const int expected = placeholderCount(plural ? entry.idPlural : entry.id);
                if (plural)
                    EXPECT_LE(placeholderCount(string), expected) << string;
                else
                    EXPECT_EQ(placeholderCount(string), expected) << string;
            }
            translated.emplace(entry.context.value_or(""), entry.id);
        }
        for (const PoEntry& entry : pot.file->entries)
            EXPECT_TRUE(translated.contains({ entry.context.value_or(""), entry.id }))
                << "missing: " << entry.context.value_or("") << " | " << entry.id;

        const Language language(code);
        EXPECT_EQ(BatteryText::localDigits("0123456789", language),
            BatteryText::t("num.digits", language))
            << "num.digits must be ten digits";
        const std::string direction = BatteryText::t("language.direction", language);
        EXPECT_TRUE(direction == "ltr" || direction == "rtl") << direction;
    }
}

TEST(Catalogs, PluralRulesPickEachLanguagesForm)
{
    const struct
    {
        const char* header;
        std::vector<int> forms; // of 0, 1, 2, 5, 11, 21, 22, 101, 111
    } cases[] = {
        { "nplurals=2; plural=(n != 1);", { 1, 0, 1, 1, 1, 1, 1, 1, 1 } },
        { "nplurals=2; plural=(n > 1);", { 0, 0, 1, 1, 1, 1, 1, 1, 1 } },
        { "nplurals=1; plural=0;", { 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        { "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || "
          "n%100>=20) ? 1 : 2);",
            { 2, 0, 1, 2, 2, 0, 1, 0, 2 } },
        { "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
            { 2, 0, 1, 2, 2, 2, 1, 2, 2 } },
        { "nplurals=6; plural=n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : "
          "n%100>=11 ? 4 : 5;",
            { 0, 1, 2, 3, 4, 4, 4, 5, 4 } },
        // A value beyond the forms falls back to the first; !n and a division by zero are fine.
        { "nplurals=2; plural=n*3;", { 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        { "nplurals=2; plural=!n + n/0;", { 1, 0, 0, 0, 0, 0, 0, 0, 0 } },
    };
    const std::uint64_t numbers[] = { 0, 1, 2, 5, 11, 21, 22, 101, 111 };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        const auto rule = PluralRule::parse(c.header);
        ASSERT_TRUE(rule);
        for (std::size_t i = 0; i < std::size(numbers); ++i)
            EXPECT_EQ(rule->form(numbers[i]), c.forms[i]) << numbers[i];
    }
    for (const char* broken : { "", "nplurals=2;", "nplurals=0; plural=0;", "nplurals=7; plural=n;",
             "nplurals=2; plural=(n != 1;", "nplurals=2; plural=n ? 1;", "nplurals=2; plural=x;",
             "nplurals=2; plural=n 1;", "nplurals=x; plural=n;" }) {
        EXPECT_FALSE(PluralRule::parse(broken)) << broken;
    }
    const std::string deep
        = "nplurals=2; plural=" + std::string(10000, '(') + "n" + std::string(10000, ')') + ";";
    EXPECT_FALSE(PluralRule::parse(deep));
    EXPECT_FALSE(PluralRule::parse("nplurals=2; plural=" + std::string(10000, '!') + "n;"));
}

TEST(Catalogs, ParserReadsContextsPluralsAndEscapes)
{
    const PoParse parsed
        = parsePo("msgid \"\"\nmsgstr \"Language: de\\n\"\n\"Plural-Forms: x\\n\"\n\n"
                  "#, fuzzy, no-c-format\nmsgctxt \"k\"\nmsgid \"a \\\"b\\\"\"\n"
                  "msgstr \"\"\n\"c\\n\"\n\"d\\\\\"\n\n#~ msgid \"old\"\n#~ msgstr \"x\"\n"
                  "msgctxt \"p\"\nmsgid \"%d day\"\nmsgid_plural \"%d days\"\n"
                  "msgstr[0] \"%d Tag\"\nmsgstr[1] \"%d Tage\"\n");
    ASSERT_TRUE(parsed.file) << parsed.error;
    EXPECT_EQ(poHeaderField(*parsed.file, "Language"), "de");
    ASSERT_EQ(parsed.file->entries.size(), 2U);
    const PoEntry& first = parsed.file->entries[0];
    EXPECT_EQ(first.context, "k");
    EXPECT_EQ(first.id, "a \"b\"");
    EXPECT_EQ(first.strings, std::vector<std::string> { "c\nd\\" });
    EXPECT_TRUE(first.fuzzy);
    EXPECT_EQ(parsed.file->entries[1].strings, (std::vector<std::string> { "%d Tag", "%d Tage" }));
    EXPECT_FALSE(parsed.file->entries[1].fuzzy);
}

TEST(Catalogs, ParserRejectsMalformedCatalogsWithTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        { "msgid \"a\"\nmsgstr \"b", "line 2: malformed string" },
        { "msgid \"a\"\nmsgstr \"b\" x", "line 2: malformed string" },
        { "msgid \"a\\q\"\nmsgstr \"b\"", "line 1: malformed string" },
        { "msgstr \"b\"", "line 1: msgstr without msgid" },
        { "msgid \"a\"\nmsgid \"b\"\nmsgstr \"\"", "line 2: msgid without msgstr" },
        { "msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[1] \"b\"", "line 3: unexpected msgstr[1]" },
        { "msgid \"a\"\nmsgstr \"b\"\nmsgstr \"c\"", "line 3: unexpected msgstr" },
        { "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"a\"\nmsgstr \"c\"", "line 5: message given twice" },
        { "msgid \"a\"\nmsgstr \"b\"\n\"c\"\nmsgfoo \"d\"", "line 4: unknown keyword msgfoo" },
        { "\"c\"", "line 1: a string continues no keyword" },
        { "msgid \"a\"", "line 1: msgid without msgstr" },
        { "msgid \"\xff\"\nmsgstr \"\"", "line 0: not UTF-8" },
    };
    for (const auto& [text, error] : cases) {
        SCOPED_TRACE(text);
        const PoParse parsed = parsePo(text);
        EXPECT_FALSE(parsed.file);
        EXPECT_EQ(parsed.error, error);
    }
}
