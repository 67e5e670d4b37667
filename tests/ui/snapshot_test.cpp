#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    const char* const names[] = { "en-charging-light", "en-charging-dark", "en-battery-light",
        "en-battery-dark", "en-low-light", "en-low-dark", "en-limit-light", "en-limit-dark",
        "en-settings-light", "en-settings-dark", "en-notifications-light", "en-notifications-dark",
        "en-charge-limit-light", "en-charge-limit-dark", "en-about-light", "en-about-dark",
        "ru-charging-light", "ru-charging-dark", "ru-battery-light", "ru-battery-dark",
        "ru-low-light", "ru-low-dark", "ru-limit-light", "ru-limit-dark", "ru-settings-light",
        "ru-settings-dark", "ru-notifications-light", "ru-notifications-dark",
        "ru-charge-limit-light", "ru-charge-limit-dark", "ru-about-light", "ru-about-dark" };

    std::string expectedLines(const QString& dir, const char* mark)
    {
        std::string lines;
        for (const char* name : names)
            lines += std::string(mark) + dir.toStdString() + "/" + name + ".png\n";
        return lines;
    }

    // The program itself in a temporary home, without art/ in its working directory and without
    // any display.
    class SnapshotExport : public ::testing::Test
    {
    protected:
        void run(const QString& dir)
        {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" })
                env.remove(QString::fromUtf8(name));
            program.setProcessEnvironment(env);
            program.setWorkingDirectory(work.path());
            program.start(QStringLiteral(WATTLET_EXECUTABLE),
                { QStringLiteral("--demo=low"), QStringLiteral("--snapshot=") + dir });
            ASSERT_TRUE(program.waitForFinished(120'000));
            EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        }

        test::TempHome home;
        QTemporaryDir work;
        QProcess program;
    };

    TEST_F(SnapshotExport, WritesEveryPictureInOrderIntoANewNestedFolder)
    {
        const QString dir = work.path() + QStringLiteral("/out/nested");
        run(dir);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), expectedLines(dir, "✓ "));
        EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), std::ssize(names));
        for (const char* name : names) {
            const QImage image(
                dir + QStringLiteral("/") + QString::fromUtf8(name) + QStringLiteral(".png"));
            EXPECT_EQ(image.width(), 688) << name;
        }
        // The about page shows the built-in icon, a green tile of 72 points, centred.
        const QImage about(dir + QStringLiteral("/en-about-light.png"));
        int green = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 344 - 72; x < 344 + 72; ++x) {
                const QColor pixel = about.pixelColor(x, y);
                green += pixel.green() - pixel.red() > 50 ? 1 : 0;
            }
        EXPECT_GE(green, 144 * 144 / 2);
    }

    TEST_F(SnapshotExport, ReportsPicturesThatCouldNotBeWritten)
    {
        const QString blocked = work.path() + QStringLiteral("/file");
        ASSERT_TRUE(test::writeFile(blocked, {}));
        run(blocked);
        EXPECT_EQ(program.exitCode(), 1);
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), expectedLines(blocked, "✗ "));
    }

    // An empty folder once wrote the pictures into the root of the file system.
    TEST_F(SnapshotExport, RefusesAnEmptyFolder)
    {
        run(QString());
        EXPECT_EQ(program.exitCode(), 2);
        EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
        EXPECT_FALSE(program.readAllStandardError().isEmpty());
        EXPECT_TRUE(
            QDir(work.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }

} // namespace
} // namespace wattlet
