#include "app/present/settings_page_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::ScopedLanguage;

    TEST(SettingsPageView, OnlyTheAutoSegmentIsTranslated)
    {
        for (const auto& [lang, title, automatic] :
            { std::tuple { "en", "Settings", "Auto" }, std::tuple { "ru", "Настройки", "Авто" } }) {
            ScopedLanguage language(lang);
            const SettingsPageView v = settingsPageView(true, false, true, LanguageChoice::en);
            EXPECT_EQ(v.title, title);
            EXPECT_EQ(v.segments[0], automatic);
            EXPECT_EQ(v.segments[1], "English");
            EXPECT_EQ(v.segments[2], "Русский");
        }
    }

    TEST(SettingsPageView, ControlsShowThePreferenceValues)
    {
        const SettingsPageView off = settingsPageView(false, true, false, LanguageChoice::ru);
        EXPECT_FALSE(off.percent.on);
        EXPECT_TRUE(off.notify.on);
        EXPECT_FALSE(off.login.on);
    }

    TEST(SettingsPageView, SegmentsMapToTheirLanguageAndBack)
    {
        const std::pair<LanguageChoice, int> segments[] = { { LanguageChoice::autoLanguage, 0 },
            { LanguageChoice::en, 1 }, { LanguageChoice::ru, 2 } };
        for (const auto& [choice, index] : segments) {
            EXPECT_EQ(settingsPageView(true, true, true, choice).selected, index);
            EXPECT_EQ(languageOfSegment(index), choice);
        }
        EXPECT_EQ(languageOfSegment(-1), LanguageChoice::autoLanguage);
        EXPECT_EQ(languageOfSegment(3), LanguageChoice::autoLanguage);
    }

} // namespace
} // namespace wattlet
