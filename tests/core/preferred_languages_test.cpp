#include "core/preferred_languages.h"

#include <gtest/gtest.h>

using wattlet::Language;

TEST(PreferredLanguages, OnlyTheFirstLanguageDecides)
{
    const std::pair<std::vector<std::string>, Language> cases[] = {
        { {}, Language::en },
        { { "ru" }, Language::ru },
        { { "ru_UA.UTF-8", "en_US" }, Language::ru },
        { { "de_DE", "ru_RU" }, Language::en },
        // The prefix test is case-sensitive.
        { { "RU" }, Language::en },
        { { "uk_UA.UTF-8" }, Language::en },
    };
    for (const auto& [preferred, language] : cases) {
        SCOPED_TRACE(preferred.empty() ? "(none)" : preferred.front());
        EXPECT_EQ(wattlet::preferredLanguage(preferred), language);
    }
}
