#include "identity.h"

#include "platform/desktop_notifier.h"
#include "support/dbus_test_bus.h"
#include "support/wait_until.h"

#include <QDBusConnection>
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
        QString appName;
        uint replacesId = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    /// A notification server on its own connection: records calls and hands out ids 1, 2, 3, …
    /// or, while holding, keeps the calls unanswered until released.
    class RecordingServer : public QObject, protected QDBusContext
    {
        Q_OBJECT
        Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

    public:
        explicit RecordingServer(const QString& name)
            : m_name(name)
            , m_bus(QDBusConnection::connectToBus(test::DBusTestBus::session().address(), name))
        {
            m_bus.registerObject(path, this, QDBusConnection::ExportAllSlots);
            m_bus.registerService(service);
        }
        ~RecordingServer() override
        {
            releaseName();
            QDBusConnection::disconnectFromBus(m_name);
        }
        void releaseName() { m_bus.unregisterService(service); }

        bool holding = false;
        QStringList capabilities;
        std::vector<Received> notified;
        std::vector<uint> closed;

        /// Answers the `index`th held call with `id`.
        void release(std::size_t index, uint id) { m_bus.send(m_held.at(index).createReply(id)); }
        void dismiss(uint id)
        {
            auto signal
                = QDBusMessage::createSignal(path, service, QStringLiteral("NotificationClosed"));
            signal << id << 2U;
            m_bus.send(signal);
        }

    public Q_SLOTS:
        uint Notify(const QString& appName, uint replacesId, const QString& icon,
            const QString& summary, const QString& body, const QStringList& actions,
            const QVariantMap& hints, int expireTimeout)
        {
            notified.push_back(
                { appName, replacesId, icon, summary, body, actions, hints, expireTimeout });
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
        QString m_name;
        QDBusConnection m_bus;
        uint m_lastId = 0;
        std::vector<QDBusMessage> m_held;
    };

    DesktopNotification note(const char* id)
    {
        return { id, "Title", std::string("Body of ") + id, DesktopNotification::Urgency::normal,
            {}, {} };
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

        RecordingServer& startServer()
        {
            server = std::make_unique<RecordingServer>(QStringLiteral("notification-server"));
            return *server;
        }

        std::unique_ptr<RecordingServer> server;
    };

    TEST_F(DesktopNotifierTest, ReplacesASentNotificationClosesAWithdrawnOneAndSendsHints)
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
        recorder.dismiss(1);
        ASSERT_TRUE(waitUntil([&] { return !notifier.showing("low"); }));
        notifier.withdraw("low");
        notifier.send(note("low"));
        ASSERT_TRUE(waitUntil([&] { return recorder.notified.size() == 4; }));
        EXPECT_EQ(recorder.notified[3].replacesId, 0U);
        EXPECT_EQ(recorder.closed, std::vector<uint> { 2 });

        // Texts, urgency and sound travel as hints.
        notifier.send({ "a", "Ваттлет", "Критично: 4 %", DesktopNotification::Urgency::critical,
            "battery-low", {} });
        notifier.send(note("b"));
        ASSERT_TRUE(waitUntil([&] { return recorder.notified.size() == 6; }));

        for (std::size_t i = 4; i < 6; ++i) {
            SCOPED_TRACE(i);
            const Received& got = recorder.notified[i];
            EXPECT_EQ(got.appName, QStringLiteral("Wattlet"));
            EXPECT_EQ(got.replacesId, 0U);
            EXPECT_EQ(got.icon, QLatin1String(wattlet::Identity::appId));
            EXPECT_TRUE(got.actions.isEmpty());
            EXPECT_EQ(got.expireTimeout, -1);
            EXPECT_EQ(got.hints.value(QStringLiteral("desktop-entry")),
                QLatin1String(wattlet::Identity::appId));
            EXPECT_EQ(got.hints.value(QStringLiteral("category")), QStringLiteral("device"));
            EXPECT_EQ(got.hints.value(QStringLiteral("urgency")).metaType(),
                QMetaType::fromType<uchar>());
        }
        const Received& urgent = recorder.notified[4];
        EXPECT_EQ(urgent.summary, QStringLiteral("Ваттлет"));
        EXPECT_EQ(urgent.body, QStringLiteral("Критично: 4 %"));
        EXPECT_EQ(urgent.hints.value(QStringLiteral("urgency")).toInt(), 2);
        EXPECT_EQ(urgent.hints.value(QStringLiteral("sound-name")), QStringLiteral("battery-low"));
        EXPECT_FALSE(urgent.hints.contains(QStringLiteral("suppress-sound")));
        const Received& quiet = recorder.notified[5];
        EXPECT_EQ(quiet.hints.value(QStringLiteral("urgency")).toInt(), 1);
        EXPECT_EQ(quiet.hints.value(QStringLiteral("suppress-sound")), QVariant(true));
        EXPECT_FALSE(quiet.hints.contains(QStringLiteral("sound-name")));
        EXPECT_TRUE(notifier.available());
    }

    TEST_F(DesktopNotifierTest, WithoutServerNothingBlocksALaterOneIsUsedAndAReplacedOneForgotten)
    {
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
        RecordingServer next(QStringLiteral("next-notification-server"));
        ASSERT_TRUE(waitUntil([&] { return !notifier.showing("critical"); }));
        previous.release(0, 9);
        EXPECT_FALSE(waitUntil([&] { return notifier.showing("low"); }, 300));

        notifier.send(note("critical"));
        notifier.withdraw("low");
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("critical"); }));
        EXPECT_EQ(next.notified.at(0).replacesId, 0U);
        EXPECT_TRUE(next.closed.empty());
    }

    TEST_F(DesktopNotifierTest, SilentServerDoesNotBlockAndLateAnswersLeaveNothingStale)
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

        // "critical" was withdrawn and the first "low" superseded before the answers came.
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

    TEST_F(DesktopNotifierTest, ANameIsTextInTheBodyOfAServerThatReadsMarkup)
    {
        const std::string name = "AT&T Mouse <b>X</b> <a href=\"http://evil.example/\">click</a> "
                                 "<img src=\"file:///etc/passwd\"/>";
        auto& markup = startServer();
        markup.capabilities = { QStringLiteral("body"), QStringLiteral("body-markup"),
            QStringLiteral("body-hyperlinks"), QStringLiteral("body-images") };
        DesktopNotifier notifier;
        notifier.send(
            { "mouse", "Low battery", name, DesktopNotification::Urgency::normal, {}, {} });
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("mouse"); }));
        EXPECT_EQ(markup.notified.at(0).body,
            QStringLiteral("AT&amp;T Mouse &lt;b&gt;X&lt;/b&gt; &lt;a "
                           "href=\"http://evil.example/\"&gt;click&lt;/a&gt; &lt;img "
                           "src=\"file:///etc/passwd\"/&gt;"));

        // A server of plain text shows the body as it is.
        server.reset();
        RecordingServer plain(QStringLiteral("plain-notification-server"));
        plain.capabilities = { QStringLiteral("body") };
        ASSERT_TRUE(waitUntil([&] { return !notifier.showing("mouse"); }));
        ASSERT_TRUE(waitUntil([&] { return notifier.available(); }));
        notifier.send(
            { "mouse", "Low battery", name, DesktopNotification::Urgency::normal, {}, {} });
        ASSERT_TRUE(waitUntil([&] { return plain.notified.size() == 1; }));
        EXPECT_EQ(plain.notified[0].body, QString::fromStdString(name));
    }

    TEST_F(DesktopNotifierTest, ClickOnTheDefaultActionWhereOfferedComesWithItsToken)
    {
        auto& recorder = startServer();
        recorder.capabilities = { QStringLiteral("actions"), QStringLiteral("body") };
        DesktopNotifier notifier;
        std::vector<QString> clicks;
        QObject::connect(&notifier, &DesktopNotifier::clicked,
            [&clicks](const QString& token) { clicks.push_back(token); });
        auto note = DesktopNotification { "low", "Wattlet", "Low battery: 19 %",
            DesktopNotification::Urgency::normal, {}, "Open panel" };
        notifier.send(note);
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("low"); }));
        EXPECT_EQ(recorder.notified[0].actions,
            (QStringList { QStringLiteral("default"), QStringLiteral("Open panel") }));

        // Signals of the server's own connection; another action or id is not ours to answer.
        const auto emitSignal = [](const char* name, uint id, const char* text) {
            auto signal = QDBusMessage::createSignal(path, service, QString::fromLatin1(name));
            signal << id << QString::fromLatin1(text);
            QDBusConnection(QStringLiteral("notification-server")).send(signal);
        };
        notifier.send(
            { "hot", "Wattlet", "Hot", DesktopNotification::Urgency::normal, {}, "Open" });
        ASSERT_TRUE(waitUntil([&] { return notifier.showing("hot"); }));
        emitSignal("ActionInvoked", 1, "snooze");
        emitSignal("ActionInvoked", 7, "default");
        emitSignal("ActivationToken", 1, "token-1");
        emitSignal("ActionInvoked", 1, "default");
        emitSignal("ActionInvoked", 1, "default");
        emitSignal("ActionInvoked", 2, "default");
        ASSERT_TRUE(waitUntil([&] { return clicks.size() == 2; }));
        EXPECT_EQ(clicks, (std::vector<QString> { QStringLiteral("token-1"), QString() }));
        // Clicked means answered: closed, and not clicked twice.
        ASSERT_TRUE(waitUntil([&] { return recorder.closed.size() == 2; }));
        EXPECT_FALSE(notifier.showing("low"));
        test::serveEventsFor(100);
        EXPECT_EQ(clicks.size(), 2U);

        // A notification without a default action carries none.
        note.defaultAction.clear();
        notifier.send(note);
        ASSERT_TRUE(waitUntil([&] { return recorder.notified.size() == 3; }));
        EXPECT_TRUE(recorder.notified[2].actions.isEmpty());
    }

} // namespace
} // namespace wattlet

#include "desktop_notifier_test.moc"
