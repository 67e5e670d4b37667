#include "platform/power_settings.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

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

    TEST(PowerSettings, AFloodOfRequestsStartsOneToolAndNoToolMeansUnavailable)
    {
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("starts"));
        QFile tool(bin.filePath(QStringLiteral("xfce4-power-manager-settings")));
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\necho started >> '" + log.toUtf8() + "'\n");
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        test::ScopedEnv env;
        env.set("PATH", bin.path());
        env.set("XDG_CURRENT_DESKTOP", QStringLiteral("XFCE"));

        EXPECT_TRUE(PowerSettings::available());
        int started = 0;
        for (int i = 0; i < 300; ++i)
            started += PowerSettings::open() ? 1 : 0;
        EXPECT_EQ(started, 1);
        // The tool runs detached; give it time to write, and any extra copies time to show.
        for (int waited = 0; waited < 100 && !QFile::exists(log); ++waited)
            QThread::msleep(50);
        QThread::msleep(300);
        QFile starts(log);
        ASSERT_TRUE(starts.open(QIODevice::ReadOnly));
        EXPECT_EQ(starts.readAll(), QByteArray("started\n"));

        env.set("PATH", bin.filePath(QStringLiteral("empty")));
        EXPECT_FALSE(PowerSettings::available());
    }

} // namespace
} // namespace wattlet
