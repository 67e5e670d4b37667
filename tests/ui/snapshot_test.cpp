#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    // The pictures the program reports, each line "<mark> <folder>/<name>.png".
    QStringList reported(QProcess& program, const QString& mark, const QString& dir)
    {
        const QStringList lines = QString::fromUtf8(program.readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& line : lines)
            EXPECT_TRUE(line.startsWith(mark + dir + QStringLiteral("/"))) << line.toStdString();
        return lines;
    }

    // The program itself in a temporary home, without art/ in its working directory and without
    // any display.
    class SnapshotExport : public ::testing::Test
    {
    protected:
        void run(const QString& dir, const QStringList& more = {})
        {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" })
                env.remove(QString::fromUtf8(name));
            program.setProcessEnvironment(env);
            program.setWorkingDirectory(work.path());
            program.start(QStringLiteral(WATTLET_EXECUTABLE),
                QStringList { QStringLiteral("--demo=low"), QStringLiteral("--snapshot=") + dir }
                    + more);
            ASSERT_TRUE(program.waitForFinished(120'000));
            EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        }

        test::TempHome home;
        QTemporaryDir work;
        QProcess program;
    };

    TEST_F(SnapshotExport, WritesEveryPictureIntoANewNestedFolder)
    {
        const QString dir = work.path() + QStringLiteral("/out/nested");
        run(dir);
        EXPECT_EQ(program.exitCode(), 0);
        const QStringList lines = reported(program, QString::fromUtf8("✓ "), dir);
        EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), lines.size());
        EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/ru-about-dark.png")));
        for (const QString& line : lines)
            EXPECT_EQ(QImage(line.mid(2)).width(), 688) << line.toStdString();
        // The pictures' languages and demo readings stay out of the user's settings and history.
        for (const QString& folder : { home.configHome(), home.dataHome() })
            EXPECT_TRUE(QDir(folder).isEmpty()) << folder.toStdString();
    }

    TEST_F(SnapshotExport, ReportsPicturesThatCouldNotBeWritten)
    {
        const QString blocked = work.path() + QStringLiteral("/file");
        ASSERT_TRUE(test::writeFile(blocked, {}));
        run(blocked);
        EXPECT_EQ(program.exitCode(), 1);
        EXPECT_FALSE(reported(program, QString::fromUtf8("✗ "), blocked).isEmpty());
    }

    TEST_F(SnapshotExport, DrawsTheNamedLanguagesInTheForcedDirection)
    {
        const QString dir = work.path() + QStringLiteral("/rtl");
        run(dir,
            { QStringLiteral("--snapshot-languages=ru"),
                QStringLiteral("--snapshot-direction=rtl") });
        EXPECT_EQ(program.exitCode(), 0);
        const QStringList lines = reported(program, QString::fromUtf8("✓ "), dir);
        EXPECT_EQ(lines.size(), 18);
        for (const QString& line : lines)
            EXPECT_TRUE(
                line.startsWith(QString::fromUtf8("✓ ") + dir + QStringLiteral("/ru-rtl-")));
    }

    // An empty folder once wrote the pictures into the root of the file system.
    TEST_F(SnapshotExport, RefusesAnEmptyFolderAnUnknownLanguageOrDirection)
    {
        const QString dir = work.path() + QStringLiteral("/out");
        for (const auto& [folder, more] : { std::pair { QString(), QStringList {} },
                 std::pair { dir, QStringList { QStringLiteral("--snapshot-languages=ru,xx") } },
                 std::pair { dir, QStringList { QStringLiteral("--snapshot-direction=up") } } }) {
            run(folder, more);
            EXPECT_EQ(program.exitCode(), 2);
            EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
            EXPECT_FALSE(program.readAllStandardError().isEmpty());
            EXPECT_TRUE(QDir(work.path())
                    .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
                    .isEmpty());
        }
    }

} // namespace
} // namespace wattlet
