#include "platform/power_watcher.h"
#include "support/dbus_test_bus.h"
#include "support/fake_peer.h"
#include "support/wait_until.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

using wattlet::test::DBusTestBus;
using wattlet::test::FakePeer;
using wattlet::test::serveEventsFor;
using wattlet::test::waitUntil;
using Watcher = wattlet::PowerWatcher;

const QString upowerService = QStringLiteral("org.freedesktop.UPower");
const QString upowerPath = QStringLiteral("/org/freedesktop/UPower");
const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString devices = QStringLiteral("/org/freedesktop/UPower/devices/");
const QString batteryPath = devices + QStringLiteral("battery_BAT0");
const QString barrierPath = QStringLiteral("/test/Barrier");
const QString barrierInterface = QStringLiteral("test.Barrier");

/// Match rules are added without waiting for the bus; one blocking call on the same connection
/// makes sure the daemon has applied them before a peer starts sending.
void settleSystemBus()
{
    QDBusConnection::systemBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.DBus"));
}

/// Counts the barrier signals this process receives on its system bus connection.
class BarrierReceiver : public QObject
{
    Q_OBJECT

public:
    BarrierReceiver()
    {
        QDBusConnection::systemBus().connect(QString(), barrierPath, barrierInterface,
            QStringLiteral("Reached"), this, SLOT(reached()));
        settleSystemBus();
    }

    int count = 0;

public Q_SLOTS:
    void reached() { ++count; }
};

class PowerWatcher : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Before anything touches QDBusConnection::systemBus(), which Qt keeps per process.
        if (!DBusTestBus::system().isRunning())
            GTEST_SKIP() << "dbus-daemon is not available";
        barrier = std::make_unique<BarrierReceiver>();
        ASSERT_TRUE(upower.own(upowerService));
        ASSERT_TRUE(logind.own(logindService));
    }

    /// No udev and, unless given, a tick too slow to fire during a test.
    static Watcher::Options quiet(int tickMs = 1'000'000)
    {
        Watcher::Options options;
        options.useUdev = false;
        options.fallbackIntervalMs = tickMs;
        return options;
    }

    /// A watcher that counts its calls and checks they come on the main thread.
    std::unique_ptr<Watcher> makeWatcher(const Watcher::Options& options = quiet())
    {
        auto watcher = std::make_unique<Watcher>(
            [this] {
                EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
                ++calls;
            },
            options);
        settleSystemBus();
        return watcher;
    }

    /// Returns once everything the peer sent before has reached the main thread: the bus keeps
    /// one sender's messages in order, and so does Qt on the way to the main thread.
    void flush(FakePeer& peer)
    {
        const int expected = barrier->count + 1;
        peer.emitSignal(barrierPath, barrierInterface, QStringLiteral("Reached"));
        ASSERT_TRUE(waitUntil([&] { return barrier->count >= expected; }));
    }

    std::unique_ptr<BarrierReceiver> barrier;
    FakePeer upower;
    FakePeer logind;
    int calls = 0;
};

TEST_F(PowerWatcher, CallsOncePerPowerEventOfUPowerOrWake)
{
    const auto watcher = makeWatcher();
    upower.emitPropertiesChanged(batteryPath);
    upower.emitPropertiesChanged(devices + QStringLiteral("line_power_AC"));
    flush(upower);
    EXPECT_EQ(calls, 2);
    // An arriving battery counts once UPower has said whose it is; this one cannot say.
    upower.emitDeviceListChange("DeviceAdded", devices + QStringLiteral("battery_BAT1"));
    EXPECT_TRUE(waitUntil([this] { return calls == 3; }));
    upower.emitDeviceListChange("DeviceRemoved", devices + QStringLiteral("battery_BAT1"));
    flush(upower);
    EXPECT_EQ(calls, 4);

    logind.emitPrepareForSleep(true);
    logind.emitPrepareForSleep(QStringLiteral("false"));
    flush(logind);
    EXPECT_EQ(calls, 4);
    logind.emitPrepareForSleep(false);
    flush(logind);
    EXPECT_EQ(calls, 5);
}

TEST_F(PowerWatcher, IgnoresWhatIsNotAPowerEventFromUPower)
{
    const auto watcher = makeWatcher();
    for (const QString& path : { devices + QStringLiteral("DisplayDevice"),
             devices + QStringLiteral("mouse_hidpp_battery_0"),
             devices + QStringLiteral("battery_"), upowerPath }) {
        upower.emitPropertiesChanged(path);
        upower.emitDeviceListChange("DeviceAdded", path);
        upower.emitDeviceListChange("DeviceRemoved", path);
    }
    upower.emitSignal(upowerPath, upowerService, QStringLiteral("DeviceAdded"), { 42 });
    upower.emitSignal(upowerPath, upowerService, QStringLiteral("DeviceRemoved"));
    flush(upower);

    FakePeer impostor;
    impostor.emitPropertiesChanged(batteryPath);
    impostor.emitDeviceListChange("DeviceAdded", batteryPath);
    impostor.emitPrepareForSleep(false);
    flush(impostor);
    EXPECT_EQ(calls, 0);
    upower.emitPropertiesChanged(batteryPath);
    flush(upower);
    EXPECT_EQ(calls, 1);
}

TEST_F(PowerWatcher, TicksOnlyWithoutUPower)
{
    ASSERT_TRUE(upower.release(upowerService));
    {
        const auto watcher = makeWatcher(quiet(20));
        ASSERT_TRUE(waitUntil([this] { return calls >= 3; }));
        ASSERT_TRUE(upower.own(upowerService));
        flush(upower);
        const int callsWithUPower = calls;
        // Nor does one that finds UPower at its start.
        const auto withUPower = makeWatcher(quiet(20));
        serveEventsFor(200);
        EXPECT_EQ(calls, callsWithUPower);
        ASSERT_TRUE(upower.release(upowerService));
        EXPECT_TRUE(waitUntil([&] { return calls >= callsWithUPower + 3; }));
    }
    Watcher::Options unreachable = quiet(20);
    unreachable.busAddress = QStringLiteral("unix:path=/nonexistent/wattlet-test-bus");
    const auto watcher = makeWatcher(unreachable);
    EXPECT_TRUE(waitUntil([this] { return calls >= 3; }));
}

TEST_F(PowerWatcher, NeverCallsAfterDestructionEvenForQueuedEvents)
{
    // With udev and a fast tick: every source is torn down, whatever it had queued.
    Watcher::Options options;
    options.fallbackIntervalMs = 5;
    for (int i = 0; i < 20; ++i)
        makeWatcher(options).reset();
    {
        const auto watcher = makeWatcher(options);
        upower.emitPropertiesChanged(batteryPath);
        logind.emitPrepareForSleep(false);
        // Long enough for Qt's bus thread to queue both for the main thread.
        QThread::msleep(100);
    }
    upower.emitPropertiesChanged(batteryPath);
    logind.emitPrepareForSleep(false);
    flush(upower);
    flush(logind);
    serveEventsFor(50);
    EXPECT_EQ(calls, 0);
}

TEST_F(PowerWatcher, MayBeDestroyedByItsOwnCall)
{
    std::unique_ptr<Watcher> watcher;
    watcher = std::make_unique<Watcher>(
        [&] {
            watcher.reset();
            // Touches the callback's captures after the watcher is gone.
            ++calls;
        },
        quiet());
    settleSystemBus();
    upower.emitPropertiesChanged(batteryPath);
    upower.emitPropertiesChanged(batteryPath);
    flush(upower);
    EXPECT_EQ(calls, 1);
}

} // namespace

#include "power_watcher_test.moc"
