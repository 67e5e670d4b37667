#include "platform/power_settings.h"
#include "support/temp_env.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    TEST(PowerSettings, AFloodOfRequestsStartsOneTool)
    {
        QTemporaryDir bin;
        const QString tool = bin.filePath(QStringLiteral("xfce4-power-manager-settings"));
        ASSERT_TRUE(test::writeFile(tool, "#!/bin/sh\n"));
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner);
        test::ScopedEnv env;
        env.set("PATH", bin.path());
        env.set("XDG_CURRENT_DESKTOP", QStringLiteral("XFCE"));

        EXPECT_TRUE(PowerSettings::available());
        int started = 0;
        for (int i = 0; i < 300; ++i)
            started += PowerSettings::open() ? 1 : 0;
        EXPECT_EQ(started, 1);

        env.set("PATH", bin.filePath(QStringLiteral("empty")));
        EXPECT_FALSE(PowerSettings::available());
    }

} // namespace
} // namespace wattlet
