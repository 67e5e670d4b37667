#include "platform/desktop_notifier.h"
#include "support/dbus_test_bus.h"
#include "support/fake_peer.h"
#include "support/wait_until.h"

#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace wattlet {
namespace {

    const QString service = QStringLiteral("org.freedesktop.Notifications");
    const QString path = QStringLiteral("/org/freedesktop/Notifications");

    using test::waitUntil;

    struct Received
    {
        uint replacesId = 0;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };

    /// A notification server on its own connection: records calls and hands out ids 1, 2, 3, …
    /// or, while holding, keeps the calls unanswered until released.
    class RecordingServer : public QObject, protected QDBusContext
    {
        Q_OBJECT
        Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

    public:
        explicit RecordingServer(QStringList offered = {})
            : capabilities(std::move(offered))
        {
            m_peer.bus().registerObject(path, this, QDBusConnection::ExportAllSlots);
            m_peer.own(service);
        }
        void releaseName() { m_peer.release(service); }

        bool holding = false;
        QStringList capabilities;
        std::vector<Received> notified;
        std::vector<uint> closed;

        /// Answers the `index`th held call with `id`.
        void release(std::size_t index, uint id)
        {
            m_peer.bus().send(m_held.at(index).createReply(id));
        }
        void emitSignal(const char* name, uint id, const QVariant& second)
        {
            m_peer.emitSignal(path, service, QString::fromLatin1(name), { id, second });
        }

    public Q_SLOTS:
        uint Notify(const QString& /*appName*/, uint replacesId, const QString& /*icon*/,
            const QString& /*summary*/, const QString& body, const QStringList& actions,
            const QVariantMap& hints, int /*expireTimeout*/)
        {
            notified.push_back({ replacesId, body, actions, hints });
            if (holding) {
                setDelayedReply(true);
                m_held.push_back(message());
                return 0;
            }
            return replacesId != 0 ? replacesId : ++m_lastId;
        }
        void CloseNotification(uint id) { closed.push_back(id); }
        QStringList GetCapabilities() { return capabilities; }

    private:
        test::FakePeer m_peer { test::DBusTestBus::session().address() };
        uint m_lastId = 0;
        std::vector<QDBusMessage> m_held;
    };

    DesktopNotification note(const char* id, std::string body = "Body", std::string action = {})
    {
        return { id, "Title", std::move(body), DesktopNotification::Urgency::normal, {},
            std::move(action) };
    }

    class DesktopNotifierTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!test::DBusTestBus::session().isRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
        }
        void TearDown() override
        {
            server.reset();
            // Let the next test start with the name free.
            waitUntil([] {
                return !QDBusConnection::sessionBus().interface()->isServiceRegistered(service);
            });
        }

        RecordingServer& startServer(QStringList capabilities = {})
        {
            server = std::make_unique<RecordingServer>(std::move(capabilities));
            return *server;
        }

        std::unique_ptr<RecordingServer> server;
    };

    TEST_F(DesktopNotifierTest, ResendsReplaceAndWithdrawalsCloseUntilTheUserDismisses)
    {
        auto& recorder = startServer();
        DesktopNotifier notifier;
        notifier.send(note("low"));
        notifier.send(note("hot"));
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("low"); }));
        notifier.send(note("low"));
        notifier.withdraw("hot");
        notifier.withdraw("notCharging");
        ASSERT_TRUE(
            waitUntil([&] { return recorder.notified.size() == 3 && !recorder.closed.empty(); }));
        EXPECT_EQ(recorder.notified[2].replacesId, 1U);
        EXPECT_EQ(recorder.closed, std::vector<uint> { 2 });
        EXPECT_FALSE(notifier.showing("hot"));

        // Dismissed by the user: the id is gone, so nothing to replace or close later.
        recorder.emitSignal("NotificationClosed", 1, 2U);
        ASSERT_TRUE(waitUntil([&] { return !notifier.showing("low"); }));
        notifier.withdraw("low");
        notifier.send(note("low"));
        ASSERT_TRUE(waitUntil([&] { return recorder.notified.size() == 4; }));
        EXPECT_EQ(recorder.notified[3].replacesId, 0U);
        EXPECT_EQ(recorder.closed, std::vector<uint> { 2 });
    }

    TEST_F(DesktopNotifierTest, HintsCarryTheUrgencyAsAByteWithTheSoundOrItsSuppression)
    {
        // A server that reads markup gets a device's name as text.
        auto& recorder = startServer({ QStringLiteral("body"), QStringLiteral("body-markup") });
        DesktopNotifier notifier;
        notifier.send({ "a", "Ваттлет", "Мышь AT&T <b>X</b> <img src=\"file:///etc/passwd\"/>",
            DesktopNotification::Urgency::critical, "battery-low", {} });
        notifier.send(note("b"));
        ASSERT_TRUE(waitUntil([&] { return recorder.notified.size() == 2; }));
        EXPECT_EQ(recorder.notified[0].body,
            QStringLiteral(
                "Мышь AT&amp;T &lt;b&gt;X&lt;/b&gt; &lt;img src=\"file:///etc/passwd\"/&gt;"));
        const QVariantMap& urgent = recorder.notified[0].hints;
        EXPECT_EQ(urgent.value(QStringLiteral("urgency")), QVariant::fromValue(uchar { 2 }));
        EXPECT_EQ(urgent.value(QStringLiteral("sound-name")), QStringLiteral("battery-low"));
        EXPECT_FALSE(urgent.contains(QStringLiteral("suppress-sound")));
        const QVariantMap& quiet = recorder.notified[1].hints;
        EXPECT_EQ(quiet.value(QStringLiteral("urgency")), QVariant::fromValue(uchar { 1 }));
        EXPECT_EQ(quiet.value(QStringLiteral("suppress-sound")), QVariant(true));
    }

    TEST_F(DesktopNotifierTest, ServerChangesLeaveNoStaleIds)
    {
        // Without a server nothing blocks, and nothing sent then shows up later.
        DesktopNotifier notifier;
        QElapsedTimer clock;
        clock.start();
        notifier.send(note("critical"));
        notifier.send(note("low"));
        notifier.withdraw("low");
        EXPECT_LT(clock.elapsed(), 1000);
        test::serveEventsFor(200);
        EXPECT_FALSE(notifier.available());

        auto& previous = startServer();
        ASSERT_TRUE(waitUntil([&] { return notifier.available(); }));
        notifier.send(note("critical"));
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("critical"); }));
        ASSERT_EQ(previous.notified.size(), 1U);
        EXPECT_EQ(previous.notified[0].replacesId, 0U);
        previous.holding = true;
        notifier.send(note("low"));
        ASSERT_TRUE(waitUntil([&] { return previous.notified.size() == 2; }));

        // The old server gives up the name but stays connected and answers late.
        previous.releaseName();
        RecordingServer next;
        ASSERT_TRUE(waitUntil([&] { return !notifier.showing("critical"); }));
        previous.release(0, 9);
        EXPECT_FALSE(waitUntil([&] { return notifier.showing("low"); }, 300));

        notifier.send(note("critical"));
        notifier.withdraw("low");
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("critical"); }));
        EXPECT_EQ(next.notified.at(0).replacesId, 0U);
        EXPECT_TRUE(next.closed.empty());
    }

    TEST_F(DesktopNotifierTest, LateAnswersToWithdrawnOrSupersededSendsAreClosed)
    {
        auto& recorder = startServer();
        DesktopNotifier notifier;
        // Once the server has said how it reads bodies, every send goes out at once.
        notifier.send(note("hot"));
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("hot"); }));
        notifier.withdraw("hot");
        recorder.holding = true;
        QElapsedTimer clock;
        clock.start();
        notifier.send(note("critical"));
        notifier.send(note("low"));
        notifier.send(note("low"));
        notifier.withdraw("critical");
        EXPECT_LT(clock.elapsed(), 1000);
        ASSERT_TRUE(waitUntil([&] { return recorder.notified.size() == 4; }));

        recorder.release(0, 41);
        recorder.release(1, 42);
        recorder.release(2, 43);
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("low"); }));
        ASSERT_TRUE(waitUntil([&] { return recorder.closed.size() == 3; }));
        EXPECT_EQ(recorder.closed, (std::vector<uint> { 1, 41, 42 }));

        recorder.holding = false;
        notifier.withdraw("low");
        notifier.send(note("hot"));
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("hot"); }));
        EXPECT_EQ(recorder.closed, (std::vector<uint> { 1, 41, 42, 43 }));
    }

    TEST_F(DesktopNotifierTest, AClickOnTheDefaultActionIsReportedOnceWithItsToken)
    {
        auto& recorder = startServer({ QStringLiteral("actions"), QStringLiteral("body") });
        DesktopNotifier notifier;
        std::vector<QString> clicks;
        QObject::connect(&notifier, &DesktopNotifier::clicked,
            [&clicks](const QString& token) { clicks.push_back(token); });
        notifier.send(note("low", "Low battery", "Open panel"));
        notifier.send(note("hot", "Hot", "Open"));
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("hot"); }));
        EXPECT_EQ(recorder.notified[0].actions,
            (QStringList { QStringLiteral("default"), QStringLiteral("Open panel") }));

        // Another action or id is not ours to answer.
        recorder.emitSignal("ActionInvoked", 1, QStringLiteral("snooze"));
        recorder.emitSignal("ActionInvoked", 7, QStringLiteral("default"));
        recorder.emitSignal("ActivationToken", 1, QStringLiteral("token-1"));
        recorder.emitSignal("ActionInvoked", 1, QStringLiteral("default"));
        recorder.emitSignal("ActionInvoked", 1, QStringLiteral("default"));
        recorder.emitSignal("ActionInvoked", 2, QStringLiteral("default"));
        ASSERT_TRUE(waitUntil([&] { return clicks.size() == 2; }));
        EXPECT_EQ(clicks, (std::vector<QString> { QStringLiteral("token-1"), QString() }));
        // Clicked means answered: closed, and not clicked twice.
        ASSERT_TRUE(waitUntil([&] { return recorder.closed.size() == 2; }));
        EXPECT_FALSE(notifier.showing("low"));
        test::serveEventsFor(100);
        EXPECT_EQ(clicks.size(), 2U);
    }

} // namespace
} // namespace wattlet

#include "desktop_notifier_test.moc"
