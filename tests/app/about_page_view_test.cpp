#include "app/present/about_page_view.h"
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

} // namespace
} // namespace wattlet
