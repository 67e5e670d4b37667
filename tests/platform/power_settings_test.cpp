#include "platform/power_settings.h"

#include <gtest/gtest.h>

#include <set>

namespace wattlet {
namespace {

    std::optional<QString> chosen(const char* desktop, const std::set<QString>& installed)
    {
        const auto command = PowerSettings::commandFor(QString::fromUtf8(desktop),
            [&](const QString& program) { return installed.count(program) != 0; });
        if (!command)
            return std::nullopt;
        return (QStringList { command->program } + command->arguments).join(QLatin1Char(' '));
    }

    TEST(PowerSettings, PicksTheCurrentDesktopsToolElseTheFirstInstalled)
    {
        const std::set<QString> all { QStringLiteral("gnome-control-center"),
            QStringLiteral("cinnamon-settings"), QStringLiteral("systemsettings"),
            QStringLiteral("xfce4-power-manager-settings"),
            QStringLiteral("mate-power-preferences"),
            QStringLiteral("lxqt-config-powermanagement") };
        const std::set<QString> xfceAndMate { QStringLiteral("xfce4-power-manager-settings"),
            QStringLiteral("mate-power-preferences") };
        struct Row
        {
            const char* desktop;
            const std::set<QString>& installed;
            std::optional<QString> command;
        };
        const Row rows[] = {
            { "ubuntu:GNOME", all, QStringLiteral("gnome-control-center power") },
            { "Budgie:GNOME", all, QStringLiteral("gnome-control-center power") },
            { "X-Cinnamon", all, QStringLiteral("cinnamon-settings power") },
            { "kde", all, QStringLiteral("systemsettings kcm_powerdevilprofilesconfig") },
            { "XFCE", all, QStringLiteral("xfce4-power-manager-settings") },
            { "Hyprland:MATE", all, QStringLiteral("mate-power-preferences") },
            { "LXQt", all, QStringLiteral("lxqt-config-powermanagement") },
            { "KDE", xfceAndMate, QStringLiteral("xfce4-power-manager-settings") },
            { "", all, QStringLiteral("gnome-control-center power") },
            { "GNOME", {}, std::nullopt },
        };
        for (const Row& row : rows)
            EXPECT_EQ(chosen(row.desktop, row.installed), row.command) << row.desktop;
    }

} // namespace
} // namespace wattlet
