#include "platform/power_settings.h"

#include <gtest/gtest.h>

#include <set>

namespace wattlet {
namespace {

    std::optional<QString> chosen(const char* desktop, std::set<QString> installed)
    {
        const auto command = PowerSettings::commandFor(QString::fromUtf8(desktop),
            [&](const QString& program) { return installed.count(program) != 0; });
        if (!command)
            return std::nullopt;
        return (QStringList { command->program } + command->arguments).join(QLatin1Char(' '));
    }

    const std::set<QString> everything { QStringLiteral("gnome-control-center"),
        QStringLiteral("cinnamon-settings"), QStringLiteral("systemsettings"),
        QStringLiteral("xfce4-power-manager-settings"), QStringLiteral("mate-power-preferences"),
        QStringLiteral("lxqt-config-powermanagement") };

    TEST(PowerSettings, PicksTheToolOfTheCurrentDesktop)
    {
        const std::pair<const char*, const char*> rows[] = {
            { "ubuntu:GNOME", "gnome-control-center power" },
            { "Unity", "gnome-control-center power" },
            { "Budgie:GNOME", "gnome-control-center power" },
            { "X-Cinnamon", "cinnamon-settings power" },
            { "KDE", "systemsettings kcm_powerdevilprofilesconfig" },
            { "kde", "systemsettings kcm_powerdevilprofilesconfig" },
            { "XFCE", "xfce4-power-manager-settings" },
            { "MATE", "mate-power-preferences" },
            { "LXQt", "lxqt-config-powermanagement" },
            { "Hyprland:MATE", "mate-power-preferences" },
        };
        for (const auto& [desktop, command] : rows) {
            SCOPED_TRACE(desktop);
            EXPECT_EQ(chosen(desktop, everything), QString::fromUtf8(command));
        }
    }

    TEST(PowerSettings, FallsBackToTheFirstInstalledTool)
    {
        const std::set<QString> xfceAndMate { QStringLiteral("xfce4-power-manager-settings"),
            QStringLiteral("mate-power-preferences") };
        EXPECT_EQ(chosen("KDE", xfceAndMate), QStringLiteral("xfce4-power-manager-settings"));
        EXPECT_EQ(chosen("", everything), QStringLiteral("gnome-control-center power"));
        EXPECT_EQ(chosen("sway", { QStringLiteral("mate-power-preferences") }),
            QStringLiteral("mate-power-preferences"));
        EXPECT_EQ(chosen("GNOME", {}), std::nullopt);
    }

} // namespace
} // namespace wattlet
