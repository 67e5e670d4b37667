#include "platform/login_item.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    void writeEntry(const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(LoginItem::entryPath()).path());
        QFile file(LoginItem::entryPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QByteArray entry()
    {
        QFile file(LoginItem::entryPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TEST(LoginItem, EntryLivesInTheAutostartFolder)
    {
        test::TempHome home;
        EXPECT_EQ(LoginItem::entryPath(),
            home.configHome() + QStringLiteral("/autostart/dev.morvane.Wattlet.desktop"));
    }

    TEST(LoginItem, ExecQuotesAndEscapesThePath)
    {
        const std::pair<const char*, const char*> rows[] = {
            { "/usr/bin/wattlet", R"("/usr/bin/wattlet")" },
            { "/opt/my apps/wattlet", R"("/opt/my apps/wattlet")" },
            { "/opt/100%/wattlet", R"("/opt/100%%/wattlet")" },
            { "/opt/a\"b/wattlet", R"("/opt/a\\"b/wattlet")" },
            { "/opt/$HOME`x`/wattlet", R"("/opt/\\$HOME\\`x\\`/wattlet")" },
            { "/opt/back\\slash", R"("/opt/back\\\\slash")" },
            { "/opt/line\nbreak", R"("/opt/line\nbreak")" },
        };
        for (const auto& [path, exec] : rows) {
            SCOPED_TRACE(path);
            EXPECT_EQ(LoginItem::execValue(QString::fromUtf8(path)), QString::fromUtf8(exec));
        }
    }

    TEST(LoginItem, EnabledUnlessTheEntrySwitchesItselfOff)
    {
        const std::pair<const char*, bool> rows[] = {
            { "[Desktop Entry]\nType=Application\nExec=wattlet\n", true },
            { "[Desktop Entry]\nHidden=true\n", false },
            { "[Desktop Entry]\nHidden = true\r\n", false },
            { "[Desktop Entry]\nHidden=false\n", true },
            { "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false },
            { "[Desktop Entry]\nX-GNOME-Autostart-enabled=true\n", true },
            { "[Desktop Entry]\nExec=a\n[Desktop Action x]\nHidden=true\n", true },
            { "# Hidden=true\n[Desktop Entry]\n", true },
            { "", true },
        };
        for (const auto& [text, enabled] : rows) {
            SCOPED_TRACE(text);
            test::TempHome home;
            writeEntry(text);
            EXPECT_EQ(LoginItem(QStringLiteral("/usr/bin/wattlet")).enabled(), enabled);
        }
    }

    TEST(LoginItem, MissingOrUnreadableEntryIsDisabled)
    {
        test::TempHome home;
        const LoginItem item(QStringLiteral("/usr/bin/wattlet"));
        EXPECT_FALSE(item.enabled());
        QDir().mkpath(LoginItem::entryPath());
        EXPECT_FALSE(item.enabled());
    }

    TEST(LoginItem, EnablingWritesAnEntryThatStartsTheProgram)
    {
        test::TempHome home;
        writeEntry("[Desktop Entry]\nHidden=true\n");
        LoginItem item(QStringLiteral("/opt/Wattlet/wattlet"));
        item.setEnabled(true);
        EXPECT_TRUE(item.enabled());
        EXPECT_EQ(entry(),
            QByteArray("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Wattlet\n"
                       "Comment=Battery and power supply in the tray\n"
                       "Exec=\"/opt/Wattlet/wattlet\"\n"
                       "Icon=dev.morvane.Wattlet\n"
                       "Terminal=false\n"
                       "X-GNOME-Autostart-enabled=true\n"));

        item.setEnabled(false);
        EXPECT_FALSE(item.enabled());
        EXPECT_FALSE(QFile::exists(LoginItem::entryPath()));
        item.setEnabled(false);
        EXPECT_FALSE(item.enabled());
    }

    TEST(LoginItem, EnablingCreatesTheAutostartFolder)
    {
        test::TempHome home;
        QDir(home.configHome()).removeRecursively();
        LoginItem item;
        item.setEnabled(true);
        EXPECT_TRUE(item.enabled());
        EXPECT_TRUE(entry().contains("Exec=\"/"));
    }

} // namespace
} // namespace wattlet
