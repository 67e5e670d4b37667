#include "core/preferred_languages.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

using wattlet::firstPreferredLanguage;
using wattlet::languageCodeFor;

namespace {

struct LocaleEnv
{
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
};

std::optional<std::string> preferredWith(const LocaleEnv& values)
{
    wattlet::test::ScopedEnv env;
    const std::pair<const char*, const char*> variables[] = { { "LANGUAGE", values.language },
        { "LC_ALL", values.all }, { "LC_MESSAGES", values.messages }, { "LANG", values.lang } };
    for (const auto& [name, value] : variables) {
        if (value == nullptr)
            env.unset(name);
        else
            env.set(name, QString::fromUtf8(value));
    }
    return firstPreferredLanguage();
}

} // namespace

TEST(PreferredLanguages, TakesFirstVariableThatNamesALanguage)
{
    EXPECT_EQ(preferredWith({ nullptr, nullptr, nullptr, nullptr }), std::nullopt);
    EXPECT_EQ(preferredWith({ "ru_RU:en_US", "en_US.UTF-8", nullptr, "de_DE" }), "ru_RU");
    EXPECT_EQ(preferredWith({ nullptr, "en_GB.UTF-8", "ru_RU.UTF-8", "de_DE" }), "en_GB.UTF-8");
    EXPECT_EQ(preferredWith({ nullptr, nullptr, "ru_RU.UTF-8", "de_DE" }), "ru_RU.UTF-8");
    EXPECT_EQ(preferredWith({ nullptr, nullptr, nullptr, "uk_UA.UTF-8" }), "uk_UA.UTF-8");
}

TEST(PreferredLanguages, SkipsCPosixAndEmptyValues)
{
    EXPECT_EQ(preferredWith({ "", "C", "POSIX", "ru_RU.UTF-8" }), "ru_RU.UTF-8");
    EXPECT_EQ(preferredWith({ "C:ru", "C.UTF-8", "POSIX.ISO-8859-1", "en_US" }), "en_US");
    EXPECT_EQ(preferredWith({ ":ru", nullptr, nullptr, "C.utf8" }), std::nullopt);
    EXPECT_EQ(preferredWith({ nullptr, nullptr, nullptr, "Catalan" }), "Catalan");
}

TEST(PreferredLanguages, RussianOnlyForTagsStartingWithRu)
{
    EXPECT_EQ(languageCodeFor("ru"), "ru");
    EXPECT_EQ(languageCodeFor("ru_RU.UTF-8"), "ru");
    EXPECT_EQ(languageCodeFor("en_US"), "en");
    EXPECT_EQ(languageCodeFor("uk_UA"), "en");
    EXPECT_EQ(languageCodeFor("RU"), "en");
    EXPECT_EQ(languageCodeFor(""), "en");
}
