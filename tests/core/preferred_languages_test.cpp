#include "core/preferred_languages.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

namespace {

struct LocaleEnv
{
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
};

void setLocaleEnv(wattlet::test::ScopedEnv& env, const LocaleEnv& values)
{
    const std::pair<const char*, const char*> variables[] = { { "LANGUAGE", values.language },
        { "LC_ALL", values.all }, { "LC_MESSAGES", values.messages }, { "LANG", values.lang } };
    for (const auto& [name, value] : variables) {
        if (value == nullptr)
            env.unset(name);
        else
            env.set(name, QString::fromUtf8(value));
    }
}

} // namespace

TEST(PreferredLanguages, FirstVariableThatNamesALanguageDecides)
{
    struct Case
    {
        LocaleEnv env;
        std::optional<std::string> tag;
        const char* code; // with "none" as the default
    };
    const Case cases[] = {
        { { nullptr, nullptr, nullptr, nullptr }, std::nullopt, "none" },
        { { "ru_RU:en_US", "en_US.UTF-8", nullptr, "de_DE" }, "ru_RU", "ru" },
        { { nullptr, "en_GB.UTF-8", "ru_RU.UTF-8", "de_DE" }, "en_GB.UTF-8", "en" },
        { { nullptr, nullptr, "ru_RU.UTF-8", "de_DE" }, "ru_RU.UTF-8", "ru" },
        { { nullptr, nullptr, nullptr, "uk_UA.UTF-8" }, "uk_UA.UTF-8", "en" },
        { { nullptr, nullptr, nullptr, "RU" }, "RU", "en" },
        // "C", "POSIX", their variants and empty values name no language.
        { { "", "C", "POSIX", "ru_RU.UTF-8" }, "ru_RU.UTF-8", "ru" },
        { { "C:ru", "C.UTF-8", "POSIX.ISO-8859-1", "en_US" }, "en_US", "en" },
        { { ":ru", nullptr, nullptr, "C.utf8" }, std::nullopt, "none" },
        { { nullptr, nullptr, nullptr, "Catalan" }, "Catalan", "en" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag.value_or("(none)"));
        wattlet::test::ScopedEnv env;
        setLocaleEnv(env, c.env);
        EXPECT_EQ(wattlet::firstPreferredLanguage(), c.tag);
        EXPECT_EQ(wattlet::preferredLanguageCode("none"), c.code);
    }
}
