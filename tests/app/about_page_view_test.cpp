#include "app/present/about_page_view.h"
#include "app/present/footer_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::ScopedLanguage;

    TEST(AboutPageView, EnglishNameTextsAndLinks)
    {
        ScopedLanguage language("en");
        const AboutPageView v = aboutPageView();
        EXPECT_EQ(v.title, "About");
        EXPECT_EQ(v.name, "Wattlet");
        EXPECT_EQ(v.version, "Version 1.0.0");
        EXPECT_EQ(v.made, "Made by Morvane");
        EXPECT_EQ(v.local, "All data stays on your computer. Nothing is sent anywhere.");
        EXPECT_EQ(v.links[0].symbol, "person.fill");
        EXPECT_EQ(v.links[0].title, "Author's website");
        EXPECT_EQ(v.links[0].url, "https://morvane.dev");
        EXPECT_EQ(v.links[1].symbol, "safari");
        EXPECT_EQ(v.links[1].title, "Product page");
        EXPECT_EQ(v.links[1].url, "https://wattlet.morvane.dev");
        EXPECT_EQ(v.links[2].symbol, "hand.raised.fill");
        EXPECT_EQ(v.links[2].title, "Privacy policy");
        EXPECT_EQ(v.links[2].url, "https://wattlet.morvane.dev/privacy/");
    }

    TEST(AboutPageView, RussianNameAndPrivacyPath)
    {
        ScopedLanguage language("ru");
        const AboutPageView v = aboutPageView();
        EXPECT_EQ(v.title, "О программе");
        EXPECT_EQ(v.name, "Ваттлет");
        EXPECT_EQ(v.version, "Версия 1.0.0");
        EXPECT_EQ(v.made, "Сделано Morvane");
        EXPECT_EQ(v.local, "Все данные остаются на вашем компьютере. Ничего не отправляется.");
        EXPECT_EQ(v.links[0].title, "Сайт автора");
        EXPECT_EQ(v.links[2].url, "https://wattlet.morvane.dev/ru/privacy/");
    }

    TEST(FooterView, BrandIsFixedAndHelpFollowsTheLanguage)
    {
        struct Case
        {
            const char* lang;
            const char* about;
            const char* settings;
            const char* quit;
        };
        for (const Case& c : { Case { "en", "About", "Settings", "Quit" },
                 Case { "ru", "О программе", "Настройки", "Выйти" } }) {
            SCOPED_TRACE(c.lang);
            ScopedLanguage language(c.lang);
            const FooterView v = footerView();
            EXPECT_EQ(v.brand, "by Morvane · morvane.dev");
            EXPECT_EQ(v.brandURL, "https://morvane.dev");
            EXPECT_EQ(v.aboutHelp, c.about);
            EXPECT_EQ(v.settingsHelp, c.settings);
            EXPECT_EQ(v.quitHelp, c.quit);
        }
    }

} // namespace
} // namespace wattlet
