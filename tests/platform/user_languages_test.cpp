#include "platform/user_languages.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

#include <array>

TEST(UserLanguages, VariablesThatNameALanguageInTheirOrder)
{
    // The values of these, in this order; null: unset.
    const char* const names[] = { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" };
    using List = std::vector<std::string>;
    const std::pair<std::array<const char*, 4>, List> cases[] = {
        { { "ru_RU:pt_BR.UTF-8@x", "en_US.UTF-8", "fr_FR", "de_DE" },
            { "ru_RU", "pt_BR.UTF-8@x", "en_US.UTF-8", "fr_FR", "de_DE" } },
        // "C", "POSIX", their variants and empty values name no language.
        { { "", "C", "POSIX", "ru_RU.UTF-8" }, { "ru_RU.UTF-8" } },
        { { ":C:ru", nullptr, nullptr, "C.utf8" }, { "ru" } },
    };
    for (const auto& [variables, languages] : cases) {
        SCOPED_TRACE(languages.empty() ? "(none)" : languages.front());
        wattlet::test::ScopedEnv env;
        for (std::size_t i = 0; i < variables.size(); ++i) {
            if (variables[i] == nullptr)
                env.unset(names[i]);
            else
                env.set(names[i], QString::fromUtf8(variables[i]));
        }
        EXPECT_EQ(wattlet::userLanguages(), languages);
    }
}
