#include "app/present/about_page_view.h"
#include "app/present/footer_view.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::ScopedLanguage;

    TEST(AboutPageView, NameAndPrivacyLinkFollowTheLanguage)
    {
        struct Case
        {
            const char* lang;
            const char* name;
            const char* version;
            const char* privacy;
        };
        for (const Case& c :
            {
                Case { "en", "Wattlet", "Version 1.0.0", "https://wattlet.morvane.dev/privacy/" },
                Case { "ru", "Ваттлет", "Версия 1.0.0", "https://wattlet.morvane.dev/ru/privacy/" },
            }) {
            ScopedLanguage language(c.lang);
            const AboutPageView v = aboutPageView();
            EXPECT_EQ(v.name, c.name);
            EXPECT_EQ(v.version, c.version);
            EXPECT_EQ(v.links[0].url, "https://morvane.dev");
            EXPECT_EQ(v.links[1].url, "https://wattlet.morvane.dev");
            EXPECT_EQ(v.links[2].url, c.privacy);
            EXPECT_EQ(v.links[2].symbol, "hand.raised.fill");
        }
    }

    TEST(FooterView, BrandIsFixedAndHelpFollowsTheLanguage)
    {
        for (const auto& [lang, quit] :
            { std::pair { "en", "Quit" }, std::pair { "ru", "Выйти" } }) {
            ScopedLanguage language(lang);
            const FooterView v = footerView();
            EXPECT_EQ(v.brand, "by Morvane · morvane.dev");
            EXPECT_EQ(v.brandURL, "https://morvane.dev");
            EXPECT_EQ(v.quitHelp, quit);
        }
    }

} // namespace
} // namespace wattlet
