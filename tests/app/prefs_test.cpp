#include "app/prefs.h"
#include "core/battery_text.h"
#include "platform/login_item.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    // Only the languages named by a test count, whatever the machine's locale.
    struct Languages
    {
        explicit Languages(const char* language)
        {
            for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" })
                env.unset(name);
            if (language != nullptr)
                env.set("LANGUAGE", QString::fromUtf8(language));
            else
                env.unset("LANGUAGE");
        }
        test::ScopedEnv env;
    };

    void writeConfig(const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(Prefs::filePath()).path());
        QFile file(Prefs::filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QString stored(const char* key)
    {
        return QSettings(Prefs::filePath(), QSettings::IniFormat)
            .value(QString::fromUtf8(key))
            .toString();
    }

    TEST(Prefs, FreshAccountGetsTheDefaultsAndWritesNothing)
    {
        test::TempHome home;
        Prefs prefs;
        EXPECT_TRUE(prefs.showPercent());
        EXPECT_TRUE(prefs.notify());
        EXPECT_EQ(prefs.language(), LanguageChoice::autoLanguage);
        EXPECT_FALSE(prefs.launchAtLogin());
        EXPECT_FALSE(QFile::exists(Prefs::filePath()));
    }

    TEST(Prefs, OnlyTheTextsTrueAndFalseAreStoredBooleans)
    {
        const std::pair<const char*, bool> rows[] = { { "false", false }, { "true", true },
            { "0", true }, { "no", true }, { "False", true }, { "", true }, { "1", true },
            { "\"false\"x", true }, { "a, b", true }, { "@Invalid()", true } };
        for (const auto& [text, expected] : rows) {
            SCOPED_TRACE(text);
            test::TempHome home;
            writeConfig(QByteArray("[General]\nshowPercent=") + text + "\nnotify=" + text + "\n");
            Prefs prefs;
            EXPECT_EQ(prefs.showPercent(), expected);
            EXPECT_EQ(prefs.notify(), expected);
        }
    }

    TEST(Prefs, OnlyExactLanguageTextsAreStoredChoices)
    {
        const std::pair<const char*, LanguageChoice> rows[] = { { "en", LanguageChoice::en },
            { "ru", LanguageChoice::ru }, { "auto", LanguageChoice::autoLanguage },
            { "de", LanguageChoice::autoLanguage }, { "", LanguageChoice::autoLanguage },
            { "RU", LanguageChoice::autoLanguage }, { "ru ,en", LanguageChoice::autoLanguage } };
        for (const auto& [text, expected] : rows) {
            SCOPED_TRACE(text);
            test::TempHome home;
            writeConfig(QByteArray("[General]\nlanguage=") + text + "\n");
            EXPECT_EQ(Prefs().language(), expected);
        }
        EXPECT_EQ(languageChoiceFromRaw("Auto"), std::nullopt);
        EXPECT_EQ(rawValue(LanguageChoice::autoLanguage), "auto");
    }

    TEST(Prefs, GarbageConfigFileGivesTheDefaults)
    {
        test::TempHome home;
        writeConfig(QByteArray("\xff\x00[[[=\n\nshowPercent\n=false\x01", 24));
        Prefs prefs;
        EXPECT_TRUE(prefs.showPercent());
        EXPECT_TRUE(prefs.notify());
        EXPECT_EQ(prefs.language(), LanguageChoice::autoLanguage);
    }

    TEST(Prefs, EveryAssignmentSignalsFirstThenWrites)
    {
        test::TempHome home;
        Prefs prefs;
        std::vector<bool> seenBefore;
        QObject::connect(
            &prefs, &Prefs::willChange, [&] { seenBefore.push_back(prefs.showPercent()); });

        prefs.setShowPercent(true);
        EXPECT_EQ(stored("showPercent"), QStringLiteral("true"));
        prefs.setShowPercent(false);
        EXPECT_EQ(seenBefore, (std::vector<bool> { true, true }));
        prefs.setNotify(false);
        prefs.setLanguage(LanguageChoice::autoLanguage);
        prefs.assignLaunchAtLogin(false);
        EXPECT_EQ(seenBefore.size(), 5u);

        EXPECT_EQ(stored("showPercent"), QStringLiteral("false"));
        EXPECT_EQ(stored("notify"), QStringLiteral("false"));
        EXPECT_EQ(stored("language"), QStringLiteral("auto"));
        Prefs again;
        EXPECT_FALSE(again.showPercent());
        EXPECT_FALSE(again.notify());
    }

    TEST(Prefs, LanguageSwitchesTheTextsAtOnce)
    {
        test::TempHome home;
        Languages english("en_GB:ru_RU");
        Prefs prefs;
        EXPECT_EQ(BatteryText::language(), "en");
        prefs.setLanguage(LanguageChoice::ru);
        EXPECT_EQ(BatteryText::language(), "ru");
        EXPECT_EQ(stored("language"), QStringLiteral("ru"));
        prefs.setLanguage(LanguageChoice::autoLanguage);
        EXPECT_EQ(BatteryText::language(), "en");

        Languages russian("ru_RU:en_US");
        prefs.apply();
        EXPECT_EQ(BatteryText::language(), "ru");
        prefs.setLanguage(LanguageChoice::en);
        EXPECT_EQ(BatteryText::language(), "en");
        EXPECT_EQ(Prefs().language(), LanguageChoice::en);
    }

    TEST(Prefs, AutoWithoutPreferredLanguagesIsEnglish)
    {
        test::TempHome home;
        Languages none(nullptr);
        BatteryText::setLanguage("ru");
        Prefs prefs;
        EXPECT_EQ(BatteryText::language(), "en");
    }

    TEST(Prefs, LaunchAtLoginMirrorsTheAutostartEntry)
    {
        test::TempHome home;
        Prefs prefs;
        int signals = 0;
        QObject::connect(&prefs, &Prefs::willChange, [&] { ++signals; });

        prefs.setLaunchAtLogin(true);
        EXPECT_TRUE(prefs.launchAtLogin());
        EXPECT_TRUE(QFile::exists(LoginItem::entryPath()));
        EXPECT_TRUE(Prefs().launchAtLogin());

        prefs.assignLaunchAtLogin(false);
        EXPECT_TRUE(QFile::exists(LoginItem::entryPath()));

        prefs.setLaunchAtLogin(false);
        EXPECT_FALSE(prefs.launchAtLogin());
        EXPECT_FALSE(QFile::exists(LoginItem::entryPath()));
        EXPECT_EQ(signals, 3);
        EXPECT_FALSE(QFile::exists(Prefs::filePath()));
    }

    TEST(Prefs, FailedRegistrationReadsBackOff)
    {
        test::TempHome home;
        QFile blocker(home.configHome() + QStringLiteral("/autostart"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        Prefs prefs;
        prefs.setLaunchAtLogin(true);
        EXPECT_FALSE(prefs.launchAtLogin());
    }

} // namespace
} // namespace wattlet
