#include "platform/power_settings.h"
#include "support/temp_env.h"
#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

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
