#include "platform/power_settings.h"
#include "support/temp_env.h"
#include "support/wait_until.h"

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
            QStringLiteral("systemsettings"), QStringLiteral("mate-power-preferences") };
        const std::set<QString> mate { QStringLiteral("mate-power-preferences") };
        struct Row
        {
            const char* desktop;
            const std::set<QString>& installed;
            std::optional<QString> command;
        };
        const Row rows[] = {
            { "ubuntu:GNOME", all, QStringLiteral("gnome-control-center power") },
            { "kde", all, QStringLiteral("systemsettings kcm_powerdevilprofilesconfig") },
            { "Hyprland:MATE", all, QStringLiteral("mate-power-preferences") },
            { "KDE", mate, QStringLiteral("mate-power-preferences") },
            { "GNOME", {}, std::nullopt },
        };
        for (const Row& row : rows)
            EXPECT_EQ(chosen(row.desktop, row.installed), row.command) << row.desktop;
    }

    TEST(PowerSettings, AFloodOfRequestsStartsOneTool)
    {
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("starts"));
        const QString tool = bin.filePath(QStringLiteral("xfce4-power-manager-settings"));
        ASSERT_TRUE(test::writeFile(tool, "#!/bin/sh\necho started >> '" + log.toUtf8() + "'\n"));
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        test::ScopedEnv env;
        env.set("PATH", bin.path());
        env.set("XDG_CURRENT_DESKTOP", QStringLiteral("XFCE"));

        EXPECT_TRUE(PowerSettings::available());
        int started = 0;
        for (int i = 0; i < 300; ++i)
            started += PowerSettings::open() ? 1 : 0;
        EXPECT_EQ(started, 1);
        // The tool runs detached; give it time to write, and any extra copies time to show.
        test::waitUntil([&] { return QFile::exists(log); }, 5000);
        QThread::msleep(300);
        EXPECT_EQ(test::fileContents(log), QByteArray("started\n"));

        env.set("PATH", bin.filePath(QStringLiteral("empty")));
        EXPECT_FALSE(PowerSettings::available());
    }

} // namespace
} // namespace wattlet
