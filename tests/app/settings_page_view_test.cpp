#include "app/present/settings_page_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    TEST(SettingsPageView, SegmentsMapToTheirLanguageAndBack)
    {
        const std::pair<LanguageChoice, int> segments[] = { { LanguageChoice::autoLanguage, 0 },
            { LanguageChoice::en, 1 }, { LanguageChoice::ru, 2 } };
        const test::ScopedLanguage russian("ru");
        for (const auto& [choice, index] : segments) {
            const SettingsPageView view = settingsPageView(true, true, true, choice);
            EXPECT_EQ(view.selected, index);
            EXPECT_EQ(languageOfSegment(index), choice);
        }
        EXPECT_EQ(settingsPageView(true, true, true, LanguageChoice::en).segments,
            (std::array<std::string, 3> { "Авто", "English", "Русский" }));
        EXPECT_EQ(languageOfSegment(-1), LanguageChoice::autoLanguage);
        EXPECT_EQ(languageOfSegment(3), LanguageChoice::autoLanguage);
    }

} // namespace
} // namespace wattlet
