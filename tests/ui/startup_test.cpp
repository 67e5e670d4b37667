#include "tray_test_support.h"

#include "app/brand.h"
#include "platform/app_files.h"
#include "platform/single_instance.h"
#include "support/temp_env.h"
#include "ui/startup/display_start.h"

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    class StartupTest : public ::testing::Test, protected test::TrayTestBase
    {
    protected:
        void SetUp() override
        {
            if (!busRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            // The program's power watcher must not reach the machine's system bus.
            test::DBusTestBus::system();
        }

        /// Starts the program with the test's buses and home, headless unless told otherwise.
        std::unique_ptr<QProcess> launch(const QStringList& arguments,
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
        {
            if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
                environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            auto process = std::make_unique<QProcess>();
            process->setProcessEnvironment(environment);
            process->setProgram(QStringLiteral(WATTLET_EXECUTABLE));
            process->setArguments(arguments);
            process->start();
            process->waitForStarted(5000);
            return process;
        }

        /// A second copy must leave at once and quietly, the first one still running.
        void expectSecondCopyLeaves(QProcess& first,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
        {
            auto second = launch({ QStringLiteral("--demo=battery") }, environment);
            ASSERT_TRUE(second->waitForFinished(10000));
            EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(second->exitCode(), 0);
            EXPECT_TRUE(second->readAllStandardOutput().isEmpty());
            EXPECT_EQ(first.state(), QProcess::Running);
        }

        bool nameOwned()
        {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                SingleInstance::busName());
        }

        static void stop(QProcess& process)
        {
            process.terminate();
            if (!process.waitForFinished(5000))
                process.kill();
            process.waitForFinished(5000);
        }
    };

} // namespace

TEST_F(StartupTest, ASecondCopyLeavesAtOnce)
{
    const QStringList demo { QStringLiteral("--demo=charging") };
    test::DBusTestBus otherSession;
    ASSERT_TRUE(otherSession.isRunning());
    QProcessEnvironment elsewhere = QProcessEnvironment::systemEnvironment();
    elsewhere.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), otherSession.address());
    {
        auto first = launch(demo);
        ASSERT_TRUE(QTest::qWaitFor([&] { return nameOwned(); }, 10000));
        SCOPED_TRACE("same session bus");
        expectSecondCopyLeaves(*first);
        // Two logins sharing a home once wrote the same history file alternately.
        SCOPED_TRACE("another session bus, the same data folder");
        expectSecondCopyLeaves(*first, elsewhere);
        stop(*first);
    }
    {
        SCOPED_TRACE("no session bus");
        QTemporaryDir runtime;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
            QStringLiteral("unix:path=") + runtime.filePath(QStringLiteral("no-bus")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        const QString lock = runtime.filePath(Brand::appId() + QStringLiteral(".lock"));
        auto first = launch(demo, environment);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(lock); }, 10000));
        expectSecondCopyLeaves(*first, environment);
        stop(*first);
    }
    {
        // Counting running copies would let both see two and both quit; a name has one owner.
        SCOPED_TRACE("two started together");
        auto a = launch(demo);
        auto b = launch(demo);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return a->state() == QProcess::NotRunning || b->state() == QProcess::NotRunning;
            },
            10000));
        QTest::qWait(500);
        EXPECT_NE(a->state() == QProcess::Running, b->state() == QProcess::Running);
        EXPECT_TRUE(nameOwned());
        stop(*a);
        stop(*b);
    }
    // Once the first copy is gone, its lock is stale and the folder is free again.
    auto third = launch(demo, elsewhere);
    EXPECT_FALSE(third->waitForFinished(1500));
    stop(*third);
}

TEST(WindowSystem, DisplayPerSession)
{
    struct Case
    {
        const char* variables;
        QByteArray platform;
        bool error;
    };
    const Case cases[] = {
        { "QT_QPA_PLATFORM=wayland DISPLAY=:0", "", false },
        { "WAYLAND_DISPLAY=wayland-0 DISPLAY=:0 XDG_CURRENT_DESKTOP=ubuntu:GNOME", "xcb", false },
        { "WAYLAND_DISPLAY=wayland-0 XDG_CURRENT_DESKTOP=GNOME", "wayland", false },
        { "WAYLAND_DISPLAY=wayland-1 DISPLAY=:0", "wayland", false },
        { "DISPLAY=:0", "xcb", false },
        // Empty values count as unset.
        { "QT_QPA_PLATFORM= DISPLAY=", "", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variables);
        QProcessEnvironment environment;
        for (const QString& variable : QString::fromLatin1(c.variables).split(u' '))
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        const DisplayChoice choice = chooseDisplay(environment);
        EXPECT_EQ(choice.platform, c.platform);
        EXPECT_EQ(choice.error.has_value(), c.error);
    }
}

TEST_F(StartupTest, WithoutADisplayItFailsWithOneLine)
{
    // The second names an X server that is not there: Qt's own fatal error would abort.
    for (const char* display : { "", ":97" }) {
        SCOPED_TRACE(display);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString());
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QString());
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        auto run = launch({}, environment);
        ASSERT_TRUE(run->waitForFinished(20000));
        EXPECT_EQ(run->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run->exitCode(), 1);
        const QString errors = QString::fromLocal8Bit(run->readAllStandardError());
        EXPECT_EQ(errors.count(u'\n'), 1) << errors.toStdString();
        EXPECT_TRUE(errors.startsWith(QStringLiteral("wattlet: "))) << errors.toStdString();
    }
}

TEST_F(StartupTest, ReportsComeFromTheRunningTraysStateElseFromTheTrayProgram)
{
    QTemporaryDir runtime;
    test::ScopedEnv env;
    env.set("XDG_RUNTIME_DIR", runtime.path());
    env.set("WATTLET_POWER_SUPPLY_DIR",
        QStringLiteral(WATTLET_TEST_DATA "/power_supply/01-dell-bat0-charge-discharging"));
    const auto summary = [this] {
        auto run = launch({ QStringLiteral("--summary") });
        run->waitForFinished(20000);
        return QString::fromUtf8(run->readAllStandardOutput());
    };
    // No tray runs: the tray program asks the (empty) test buses.
    const QString alone = summary();
    EXPECT_TRUE(alone.startsWith(QStringLiteral("98 % · on battery\n"))) << alone.toStdString();
    EXPECT_FALSE(alone.contains(QStringLiteral("MX: 8 %")));
    // This process stands in for a running tray.
    AppFiles::publishTrayState(
        TrayState { 0, 0, { { "/m", Peripheral::Kind::mouse, "MX", 8, {}, false } }, {} });
    const QString published = summary();
    EXPECT_TRUE(published.endsWith(QStringLiteral("\nMX: 8 %\n"))) << published.toStdString();
    // A state whose tray is gone (its process number reused) is not believed.
    auto stale = AppFiles::liveTrayState();
    ASSERT_TRUE(stale);
    stale->started += 1;
    ASSERT_TRUE(
        AppFiles::replaceFile(runtime.filePath(QStringLiteral("wattlet-tray.json")).toStdString(),
            trayStateJson(*stale)));
    EXPECT_FALSE(AppFiles::liveTrayState());
    EXPECT_FALSE(summary().contains(QStringLiteral("MX: 8 %")));
}

} // namespace wattlet
