#include "app/prefs.h"
#include "platform/login_item.h"
#include "support/temp_env.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    void writeConfig(const QByteArray& text)
    {
        ASSERT_TRUE(test::writeFile(Prefs::filePath(), text));
    }

    QString stored(const char* key)
    {
        return QSettings(Prefs::filePath(), QSettings::IniFormat)
            .value(QString::fromUtf8(key))
            .toString();
    }

    TEST(Prefs, UnrecognisedStoredValuesGiveTheDefaults)
    {
        struct Row
        {
            const char* text;
            bool flag;
            LanguageChoice language;
            PercentStyle percentStyle;
        };
        using L = LanguageChoice;
        using P = PercentStyle;
        const Row rows[] = { { "false", false, L::autoLanguage, P::automatic },
            { "en", true, L::en, P::automatic }, { "label", true, L::autoLanguage, P::label },
            { "Icon", true, L::autoLanguage, P::automatic },
            { "0", true, L::autoLanguage, P::automatic },
            { "False", true, L::autoLanguage, P::automatic },
            { "", true, L::autoLanguage, P::automatic },
            { "a, b", true, L::autoLanguage, P::automatic },
            { "@Invalid()", true, L::autoLanguage, P::automatic },
            { "\xff\x01[[=", true, L::autoLanguage, P::automatic } };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.text);
            test::TempHome home;
            const QByteArray text(row.text);
            writeConfig("[General]\nshowPercent=" + text + "\nnotify=" + text + "\nlanguage=" + text
                + "\npercentStyle=" + text);
            Prefs prefs;
            EXPECT_EQ(prefs.showPercent(), row.flag);
            EXPECT_EQ(prefs.notify(), row.flag);
            EXPECT_EQ(prefs.language(), row.language);
            EXPECT_EQ(prefs.percentStyle(), row.percentStyle);
        }
    }

    TEST(Prefs, InvalidStoredWarningLevelsKeepTheDefaults)
    {
        const std::pair<const char*, WarningLevels> rows[] = {
            { "lowPercent=35\ncriticalPercent=5\ndeviceLowPercent=50", { 35, 5, 50 } },
            { "lowPercent=51\ncriticalPercent=0\ndeviceLowPercent=-3", {} },
            { "lowPercent=30x\ncriticalPercent=\ndeviceLowPercent=1e1", {} },
            // Critical not below low: neither is trusted.
            { "lowPercent=15\ncriticalPercent=15\ndeviceLowPercent=5", { 20, 10, 5 } },
            { "lowPercent=8", {} },
        };
        for (const auto& [text, levels] : rows) {
            SCOPED_TRACE(text);
            test::TempHome home;
            writeConfig(QByteArray("[General]\n") + text);
            EXPECT_EQ(Prefs().levels(), levels);
            EXPECT_EQ(Prefs::storedLevels(), levels);
        }
    }

    TEST(Prefs, EveryAssignmentSignalsFirstThenWrites)
    {
        test::TempHome home;
        Prefs prefs;
        std::vector<bool> seenBefore;
        QObject::connect(
            &prefs, &Prefs::willChange, [&] { seenBefore.push_back(prefs.showPercent()); });

        prefs.setShowPercent(true);
        prefs.setShowPercent(false);
        prefs.setNotify(false);
        EXPECT_EQ(seenBefore, (std::vector<bool> { true, true, false }));
        EXPECT_EQ(stored("notify"), QStringLiteral("false"));
        EXPECT_FALSE(Prefs().showPercent());
    }

    TEST(Prefs, TextLanguageIsTheChoiceOrForAutoTheUsersFirstLanguageWithACatalog)
    {
        struct Case
        {
            LanguageChoice choice;
            const char* userLanguages;
            Language text;
        };
        const Case cases[] = {
            { LanguageChoice::ru, "en_GB:ru_RU", Language::ru },
            { LanguageChoice::autoLanguage, "en_GB:ru_RU", Language::en },
            { LanguageChoice::autoLanguage, "ru_UA.UTF-8:en_US", Language::ru },
            { LanguageChoice::autoLanguage, "RU", Language::en },
            // Without a catalog of its own, a language falls through to the next one.
            { LanguageChoice::autoLanguage, "xx_YY.UTF-8@x:ru-RU", Language::ru },
            { LanguageChoice::autoLanguage, nullptr, Language::en },
        };
        test::TempHome home;
        Prefs prefs;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.userLanguages == nullptr ? "(none)" : c.userLanguages);
            // Only the languages the row names count, whatever the machine's locale.
            test::ScopedEnv env;
            for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE" })
                env.unset(name);
            if (c.userLanguages != nullptr)
                env.set("LANGUAGE", QString::fromUtf8(c.userLanguages));
            prefs.setLanguage(c.choice);
            EXPECT_EQ(prefs.textLanguage(), c.text);
            EXPECT_EQ(Prefs::storedLanguage(), c.choice);
        }
    }

    TEST(Prefs, LaunchAtLoginMirrorsTheAutostartEntry)
    {
        test::TempHome home;
        Prefs prefs;
        prefs.setLaunchAtLogin(true);
        EXPECT_TRUE(prefs.launchAtLogin());
        EXPECT_TRUE(Prefs().launchAtLogin());

        prefs.assignLaunchAtLogin(false);
        EXPECT_TRUE(QFile::exists(LoginItem::entryPath()));
        prefs.setLaunchAtLogin(false);
        EXPECT_FALSE(prefs.launchAtLogin());
        EXPECT_FALSE(QFile::exists(LoginItem::entryPath()));
        EXPECT_FALSE(QFile::exists(Prefs::filePath()));
    }

} // namespace
} // namespace wattlet
