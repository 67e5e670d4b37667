#include "platform/user_languages.h"
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

TEST(UserLanguages, VariablesThatNameALanguageInTheirOrder)
{
    using List = std::vector<std::string>;
    const std::pair<LocaleEnv, List> cases[] = {
        { { nullptr, nullptr, nullptr, nullptr }, {} },
        { { "ru_RU:en_US", "en_US.UTF-8", nullptr, "de_DE" }, { "ru_RU", "en_US.UTF-8", "de_DE" } },
        { { nullptr, nullptr, "ru_RU.UTF-8", "Catalan" }, { "ru_RU.UTF-8", "Catalan" } },
        // "C", "POSIX", their variants and empty values name no language.
        { { "", "C", "POSIX", "ru_RU.UTF-8" }, { "ru_RU.UTF-8" } },
        { { "C:ru", "C.UTF-8", "POSIX.ISO-8859-1", "en_US" }, { "en_US" } },
        { { ":ru", nullptr, nullptr, "C.utf8" }, {} },
    };
    for (const auto& [variables, languages] : cases) {
        SCOPED_TRACE(languages.empty() ? "(none)" : languages.front());
        wattlet::test::ScopedEnv env;
        setLocaleEnv(env, variables);
        EXPECT_EQ(wattlet::userLanguages(), languages);
    }
}
