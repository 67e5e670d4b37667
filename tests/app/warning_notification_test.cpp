#include "app/warning_notification.h"

#include <gtest/gtest.h>

#include <tuple>

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
        // The ids are the announcements' in AppModelTest; the title is the product's name.
        const std::tuple<W, Language, const char*, Urgency, const char*> cases[] = {
            { W::critical, Language::en, "Critical: 4 % — plug in", Urgency::critical,
                "battery-caution" },
            { W::low, Language::ru, "Мало заряда: 4 %", Urgency::normal, "" },
            { W::hot, Language::en, "Battery is hot: 47 °C — let the laptop cool down",
                Urgency::normal, "dialog-warning" },
        };
        for (const auto& [warning, language, body, urgency, sound] : cases) {
            SCOPED_TRACE(body);
            const DesktopNotification n = warningNotification(warning, reading, language, sounds);
            EXPECT_EQ(n.body, body);
            EXPECT_EQ(n.urgency, urgency);
            EXPECT_EQ(n.sound, sound);
        }
    }

} // namespace
} // namespace wattlet
