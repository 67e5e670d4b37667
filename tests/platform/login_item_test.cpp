#include "platform/login_item.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    TEST(LoginItem, ExecQuotesAndEscapesThePath)
    {
        const std::pair<const char*, const char*> rows[] = {
            { "/opt/100%/wattlet", R"("/opt/100%%/wattlet")" },
            { "/opt/a\"b/wattlet", R"("/opt/a\\"b/wattlet")" },
            { "/opt/$HOME`x`/wattlet", R"("/opt/\\$HOME\\`x\\`/wattlet")" },
            { "/opt/back\\slash", R"("/opt/back\\\\slash")" },
            { "/opt/line\nbreak", R"("/opt/line\nbreak")" },
        };
        for (const auto& [path, exec] : rows)
            EXPECT_EQ(LoginItem::execValue(QString::fromUtf8(path)), QString::fromUtf8(exec))
                << path;
    }

    TEST(LoginItem, EnabledUnlessTheEntryIsMissingOrSwitchesItselfOff)
    {
        const std::pair<const char*, bool> rows[] = {
            { "[Desktop Entry]\nType=Application\nExec=wattlet\n", true },
            { "[Desktop Entry]\nHidden = true\r\n", false },
            { "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false },
            { "# Hidden=true\n[Desktop Entry]\n", true },
        };
        for (const auto& [text, enabled] : rows) {
            SCOPED_TRACE(text);
            test::TempHome home;
            ASSERT_TRUE(test::writeFile(LoginItem::entryPath(), text));
            EXPECT_EQ(LoginItem(QStringLiteral("/usr/bin/wattlet")).enabled(), enabled);
        }
        test::TempHome home;
        EXPECT_FALSE(LoginItem().enabled());
        LoginItem(QStringLiteral("/opt/Wattlet/wattlet")).setEnabled(true);
        const QByteArray written = test::fileContents(LoginItem::entryPath());
        EXPECT_TRUE(written.contains("\nExec=\"/opt/Wattlet/wattlet\"\n")) << written.data();
        QFile::remove(LoginItem::entryPath());
        QDir().mkpath(LoginItem::entryPath());
        EXPECT_FALSE(LoginItem().enabled());
    }

} // namespace
} // namespace wattlet
