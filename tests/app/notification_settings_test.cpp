#include "app/notification_sounds.h"
#include "platform/sound_theme.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

#include <vector>

namespace wattlet {
namespace {

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
