#include "core/settings_text.h"
#include "core/tray_state.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    TEST(TrayState, RoundTripsWhatTheReportsShowAndRefusesAnythingElse)
    {
        TrayState state { 4242, 987654, {}, {} };
        state.devices = { { "/mouse", Peripheral::Kind::mouse, "MX \"3\"", 8, {}, true },
            { "/pen", Peripheral::Kind::pen, "", {}, Peripheral::Level::low, false } };
        EXPECT_EQ(trayStateFromJson(trayStateJson(state)), state);
        state.controls.chargeLimit = ChargeLimitState { ChargeLimitShape::startAndEnd, 75, 100,
            false, true, ChargeLimitRequest { 75, 80 }, ChargeLimitRoute::helper,
            ChargeLimitObstacle::none, ChargeLimitRequest { 75, 80 }, true };
        state.controls.profiles = PowerProfilesState { { "power-saver", "balanced" }, "balanced",
            "lap-detected", { { "balanced", "compiling", "org.gnome.Builder" } } };
        EXPECT_EQ(trayStateFromJson(trayStateJson(state)), state);

        const std::string good = trayStateJson(state);
        const std::string hamster
            = R"({"pid":1,"started":2,"devices":[{"id":"/h","kind":"hamster",)"
              R"("model":"","percent":1,"level":null,"charging":false}],)"
              R"("chargeLimit":null,"powerProfile":null})";
        EXPECT_TRUE(
            trayStateFromJson(std::string(hamster).replace(hamster.find("hamster"), 7, "mouse")));
        for (const std::string& broken :
            { std::string(), std::string("[]"), good.substr(0, good.size() - 1),
                std::string(R"({"pid":1,"started":2,"devices":3})"), hamster }) {
            SCOPED_TRACE(broken);
            EXPECT_EQ(trayStateFromJson(broken), std::nullopt);
        }
    }

    TEST(SettingsText, GeneralValuesAsQtWritesThem)
    {
        const std::string ini = "[General]\nlanguage=ru\nlowPercent = 30 \r\nnote=\"a b\"\n"
                                "[Other]\nlanguage=en\n[General]\ncriticalPercent=x5\n";
        EXPECT_EQ(iniGeneralValue(ini, "language"), "ru");
        EXPECT_EQ(iniGeneralValue(ini, "lowPercent"), "30");
        EXPECT_EQ(iniGeneralValue(ini, "note"), "a b");
        EXPECT_EQ(iniGeneralValue(ini, "missing"), std::nullopt);
        EXPECT_EQ(wholeNumber("30"), 30);
        EXPECT_EQ(wholeNumber("-3"), -3);
        for (const char* notANumber : { "", "x5", "5x", " 5", "99999999999999999999" })
            EXPECT_EQ(wholeNumber(notANumber), std::nullopt) << notANumber;
    }

} // namespace
} // namespace wattlet
