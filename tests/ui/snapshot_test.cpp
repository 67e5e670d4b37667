#include "app/prefs.h"
#include "support/temp_env.h"
#include "ui/startup/snapshot_export.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace wattlet {
namespace {

    const char* const names[] = { "en-charging-light", "en-charging-dark", "en-battery-light",
        "en-battery-dark", "en-low-light", "en-low-dark", "en-settings-light", "en-settings-dark",
        "en-notifications-light", "en-notifications-dark", "en-about-light", "en-about-dark",
        "ru-charging-light", "ru-charging-dark", "ru-battery-light", "ru-battery-dark",
        "ru-low-light", "ru-low-dark", "ru-settings-light", "ru-settings-dark",
        "ru-notifications-light", "ru-notifications-dark", "ru-about-light", "ru-about-dark" };

    std::string expectedLines(const QString& dir, const char* mark)
    {
        std::string lines;
        for (const char* name : names)
            lines += std::string(mark) + dir.toStdString() + "/" + name + ".png\n";
        return lines;
    }

    // Runs the export from a working directory of the test's choosing, in a temporary home.
    class SnapshotTest : public ::testing::Test
    {
    protected:
        SnapshotTest()
            : m_previous(QDir::currentPath())
        {
            QDir::setCurrent(work.path());
        }
        ~SnapshotTest() override
        {
            QDir::setCurrent(m_previous);
            QApplication::setWindowIcon(QIcon());
        }

        std::string run(const QString& dir)
        {
            std::ostringstream out;
            written = snapshots(dir, out);
            return out.str();
        }

        bool written = false;

        test::TempHome home;
        QTemporaryDir work;

    private:
        QString m_previous;
    };

    TEST_F(SnapshotTest, WritesEveryPictureInOrderIntoANewNestedFolder)
    {
        const QString dir = work.path() + QStringLiteral("/out/nested");
        EXPECT_EQ(run(dir), expectedLines(dir, "✓ "));
        EXPECT_TRUE(written);
        EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), std::ssize(names));
        for (const char* name : names) {
            const QImage image(
                dir + QStringLiteral("/") + QString::fromUtf8(name) + QStringLiteral(".png"));
            EXPECT_EQ(image.width(), 688) << name;
        }
        // The language went through the preference: the last one chosen stays stored.
        EXPECT_EQ(Prefs().language(), LanguageChoice::ru);

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

    TEST_F(SnapshotTest, ReportsPicturesThatCouldNotBeWritten)
    {
        const QString blocked = work.path() + QStringLiteral("/file");
        QFile file(blocked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_EQ(run(blocked), expectedLines(blocked, "✗ "));
        EXPECT_FALSE(written);
    }

    // Without art/ in its working directory, and without any display.
    TEST(SnapshotProgram, RunsWithoutADisplay)
    {
        test::TempHome home;
        QTemporaryDir work;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" })
            env.remove(QString::fromUtf8(name));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(work.path());
        const QString dir = work.path() + QStringLiteral("/shots");
        program.start(QStringLiteral(WATTLET_EXECUTABLE),
            { QStringLiteral("--demo=low"), QStringLiteral("--snapshot=") + dir });
        ASSERT_TRUE(program.waitForFinished(120'000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), expectedLines(dir, "✓ "));
        EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), std::ssize(names));
    }

    // An empty folder once wrote the pictures into the root of the file system.
    TEST(SnapshotProgram, RefusesAnEmptyFolder)
    {
        test::TempHome home;
        QTemporaryDir work;
        QProcess program;
        program.setWorkingDirectory(work.path());
        program.start(QStringLiteral(WATTLET_EXECUTABLE), { QStringLiteral("--snapshot=") });
        ASSERT_TRUE(program.waitForFinished(30'000));
        EXPECT_EQ(program.exitCode(), 2);
        EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
        EXPECT_FALSE(program.readAllStandardError().isEmpty());
        EXPECT_TRUE(
            QDir(work.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }

} // namespace
} // namespace wattlet
