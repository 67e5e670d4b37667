#include "app/present/settings_page_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::ScopedLanguage;

    TEST(SettingsPageView, TextsInBothLanguages)
    {
        struct Case
        {
            const char* lang;
            std::array<const char*, 6> texts;
        };
        for (const Case& c : {
                 Case { "en",
                     { "Settings", "Percent in menu bar", "Warnings", "Launch at login", "Language",
                         "Auto" } },
                 Case { "ru",
                     { "Настройки", "Процент в строке меню", "Предупреждения",
                         "Запускать при входе", "Язык", "Авто" } },
             }) {
            SCOPED_TRACE(c.lang);
            ScopedLanguage language(c.lang);
            const SettingsPageView v = settingsPageView(true, false, true, LanguageChoice::en);
            EXPECT_EQ(v.title, c.texts[0]);
            EXPECT_EQ(v.percent.label, c.texts[1]);
            EXPECT_EQ(v.notify.label, c.texts[2]);
            EXPECT_EQ(v.login.label, c.texts[3]);
            EXPECT_EQ(v.languageLabel, c.texts[4]);
            EXPECT_EQ(v.segments[0], c.texts[5]);
            // The language names read the same whatever the interface language.
            EXPECT_EQ(v.segments[1], "English");
            EXPECT_EQ(v.segments[2], "Русский");
        }
    }

    TEST(SettingsPageView, ControlsShowThePreferenceValues)
    {
        ScopedLanguage language("en");
        const SettingsPageView off = settingsPageView(false, true, false, LanguageChoice::ru);
        EXPECT_FALSE(off.percent.on);
        EXPECT_TRUE(off.notify.on);
        EXPECT_FALSE(off.login.on);
        EXPECT_EQ(off.selected, 2);
        const SettingsPageView on
            = settingsPageView(true, false, true, LanguageChoice::autoLanguage);
        EXPECT_TRUE(on.percent.on);
        EXPECT_FALSE(on.notify.on);
        EXPECT_TRUE(on.login.on);
        EXPECT_EQ(on.selected, 0);
        EXPECT_EQ(settingsPageView(true, true, true, LanguageChoice::en).selected, 1);
    }

    TEST(SettingsPageView, SegmentsMapBackToTheirLanguage)
    {
        for (const LanguageChoice choice :
            { LanguageChoice::autoLanguage, LanguageChoice::en, LanguageChoice::ru }) {
            const int index = settingsPageView(true, true, true, choice).selected;
            EXPECT_EQ(languageOfSegment(index), choice) << index;
        }
        EXPECT_EQ(languageOfSegment(-1), LanguageChoice::autoLanguage);
        EXPECT_EQ(languageOfSegment(3), LanguageChoice::autoLanguage);
    }

} // namespace
} // namespace wattlet
