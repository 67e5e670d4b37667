#include "app/app_model.h"
#include "app/present/status_item_view.h"
#include "platform/sound_theme.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wattlet {
namespace {

    void writeConfig(const QByteArray& text)
    {
        ASSERT_TRUE(test::writeFile(Prefs::filePath(), "[General]\n" + text));
    }

    // A model on a reading the test changes, recording what it announces and withdraws.
    struct Recorder
    {
        BatteryReading battery;
        std::vector<DesktopNotification> announced;
        std::vector<std::string> withdrawn;
        AppModel model { std::nullopt, deps() };

        AppModelDeps deps()
        {
            AppModelDeps d;
            d.now = [] { return 1'700'000'000.0; };
            d.read = [this] { return battery; };
            d.saveHistory = [](const BatteryHistory&) {};
            d.announce = [this](const DesktopNotification& n) { announced.push_back(n); };
            d.withdraw = [this](const std::string& id) { withdrawn.push_back(id); };
            return d;
        }
    };

    TEST(NotificationSettings, OwnLowLevelRaisesTheWarningInTheStatusItemAndOneNotification)
    {
        test::TempHome home;
        writeConfig("lowPercent=30\nsound=false\n");
        Recorder r;
        r.battery.percent = 25;
        r.model.refresh(true);
        r.model.refresh(true);
        EXPECT_EQ(statusItemView(r.model.reading(), true, Language::en, PercentStyle::automatic, {},
                      r.model.prefs().levels())
                      .tint,
            StatusTint::orange);
        ASSERT_EQ(r.announced.size(), 1U);
        EXPECT_EQ(r.announced[0].id, "wattlet.low");
        EXPECT_EQ(r.announced[0].defaultAction, "Open panel");

        // With the sound switched off even the critical warning is silent, and still urgent.
        r.battery.percent = 5;
        r.model.refresh(true);
        ASSERT_EQ(r.announced.size(), 2U);
        EXPECT_EQ(r.announced[1].urgency, DesktopNotification::Urgency::critical);
        EXPECT_EQ(r.announced[1].sound, "");
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

    TEST(NotificationSettings, ReminderOncePerChargeWithdrawnWhenUnplugged)
    {
        test::TempHome home;
        writeConfig("fullReminderPercent=80");
        Recorder r;
        struct Step
        {
            std::int64_t percent;
            bool onAC;
            std::size_t announced;
            std::size_t withdrawn;
        };
        // Plugged in above the level, through it once, hovering, unplugged, through it again.
        const Step steps[] = { { 85, true, 0, 0 }, { 70, true, 0, 0 }, { 79, true, 0, 0 },
            { 80, true, 1, 0 }, { 79, true, 1, 0 }, { 81, true, 1, 0 }, { 76, true, 1, 0 },
            { 80, true, 1, 0 }, { 80, false, 1, 1 }, { 79, true, 1, 1 }, { 80, true, 2, 1 } };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.percent);
            r.battery.percent = step.percent;
            r.battery.onAC = r.battery.charging = step.onAC;
            r.model.refresh(true);
            EXPECT_EQ(r.announced.size(), step.announced);
            EXPECT_EQ(r.withdrawn.size(), step.withdrawn);
        }
        EXPECT_EQ(r.announced.back().body, "Charged to 80 % — you can unplug the charger");

        // A charge limit stops charging first: no reminder.
        r.battery.chargeLimitPercent = 80;
        for (const std::int64_t percent : { 70, 80 }) {
            r.battery.percent = percent;
            r.model.refresh(true);
        }
        EXPECT_EQ(r.announced.size(), 2U);
        EXPECT_EQ(r.withdrawn.size(), 2U);
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
