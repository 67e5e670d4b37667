#include "app/notification_sounds.h"
#include "app/prefs.h"
#include "platform/sound_theme.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

#include <vector>

namespace wattlet {
namespace {

    void writeConfig(const QByteArray& text)
    {
        ASSERT_TRUE(test::writeFile(Prefs::filePath(), "[General]\n" + text));
    }

    TEST(NotificationSettings, InvalidStoredLevelsKeepTheDefaults)
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
            writeConfig(text);
            EXPECT_EQ(Prefs().levels(), levels);
            EXPECT_EQ(Prefs::storedLevels(), levels);
        }
    }

    TEST(NotificationSettings, SoundNamesFollowTheInstalledThemes)
    {
        struct Row
        {
            std::vector<const char*> files;
            const char* critical;
            const char* low;
        };
        const Row rows[] = {
            { { "freedesktop/stereo/dialog-warning.oga" }, "dialog-warning", "dialog-warning" },
            { { "freedesktop/stereo/battery-low.oga" }, "battery-low", "battery-low" },
            { { "a/stereo/battery-low.wav", "b/stereo/battery-caution.ogg" }, "battery-caution",
                "battery-low" },
            { { "a/battery-low.oga", "a/stereo/battery-caution.oga/x" }, "dialog-warning",
                "dialog-warning" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.files[0]);
            test::TempHome home;
            test::ScopedEnv env;
            env.set("XDG_DATA_DIRS", home.path() + QStringLiteral("/none:relative"));
            for (const char* file : row.files)
                ASSERT_TRUE(test::writeFile(
                    home.dataHome() + QStringLiteral("/sounds/") + QString::fromUtf8(file), ""));
            const NotificationSounds sounds = chooseSounds(SoundTheme::installed);
            EXPECT_EQ(sounds.critical, row.critical);
            EXPECT_EQ(sounds.low, row.low);
        }
    }

} // namespace
} // namespace wattlet
