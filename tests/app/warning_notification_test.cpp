#include "app/warning_notification.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using W = BatteryReading::Warning;
    using Urgency = DesktopNotification::Urgency;

    // The sentences themselves are BatteryText's; here what the notification makes of them.
    TEST(WarningNotification, WarningsBecomeNotificationsInEitherLanguage)
    {
        BatteryReading reading;
        reading.percent = 4;
        reading.temperatureC = 46.5;
        NotificationSounds sounds;
        sounds.critical = "battery-caution";
        struct Case
        {
            W warning;
            Language language;
            const char* id;
            const char* title;
            const char* body;
            Urgency urgency;
            const char* sound;
        };
        const Case cases[] = {
            { W::critical, Language::en, "wattlet.critical", "Wattlet", "Critical: 4 % — plug in",
                Urgency::critical, "battery-caution" },
            { W::low, Language::ru, "wattlet.low", "Ваттлет", "Мало заряда: 4 %", Urgency::normal,
                "" },
            { W::hot, Language::en, "wattlet.hot", "Wattlet",
                "Battery is hot: 47 °C — let the laptop cool down", Urgency::normal,
                "dialog-warning" },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.body);
            const DesktopNotification n
                = warningNotification(c.warning, reading, c.language, sounds);
            EXPECT_EQ(n.id, c.id);
            EXPECT_EQ(n.title, c.title);
            EXPECT_EQ(n.body, c.body);
            EXPECT_EQ(n.urgency, c.urgency);
            EXPECT_EQ(n.sound, c.sound);
        }
    }

} // namespace
} // namespace wattlet
