#include "core/battery_text.h"
#include "platform/desktop_notifier.h"
#include "support/dbus_test_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wattlet {
namespace {

    using Warning = BatteryReading::Warning;

    const QString service = QStringLiteral("org.freedesktop.Notifications");
    const QString path = QStringLiteral("/org/freedesktop/Notifications");

    bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }

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

    private:
        QString m_name;
        QDBusConnection m_bus;
        uint m_lastId = 0;
        std::vector<QDBusMessage> m_held;
    };

    BatteryReading warningReading()
    {
        BatteryReading reading;
        reading.percent = 4;
        reading.temperatureC = 46.5;
        reading.adapterWatts = 18;
        reading.fullCapacity = 3500;
        reading.designCapacity = 5000;
        return reading;
    }

    class DesktopNotifierTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!test::DBusTestBus::session().isRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            m_language = BatteryText::language();
            BatteryText::setLanguage("en");
        }
        void TearDown() override
        {
            if (!m_language.empty())
                BatteryText::setLanguage(m_language);
            server.reset();
            // Let the next test start with the name free.
            waitFor([] {
                return !QDBusConnection::sessionBus().interface()->isServiceRegistered(service);
            });
        }

        RecordingServer& startServer()
        {
            server = std::make_unique<RecordingServer>(
                QStringLiteral("notification-server-%1").arg(++m_servers));
            return *server;
        }

        std::unique_ptr<RecordingServer> server;

    private:
        std::string m_language;
        int m_servers = 0;
    };

    TEST_F(DesktopNotifierTest, SendsEachWarningWithItsSentenceUrgencyAndSound)
    {
        auto& recorder = startServer();
        DesktopNotifier notifier;
        notifier.announce({ Warning::critical, Warning::low, Warning::hot, Warning::weakCharger,
                              Warning::slowCharging, Warning::notCharging, Warning::healthLow },
            warningReading());
        ASSERT_TRUE(waitFor([&] { return recorder.notified.size() == 7; }));

        struct Expected
        {
            const char* body;
            int urgency;
            const char* sound; // nullptr: the sound is suppressed
        };
        const Expected expected[] = {
            { "Critical: 4 % — plug in", 2, "battery-low" },
            { "Low battery: 4 %", 1, nullptr },
            { "Battery is hot: 47 °C — let the laptop cool down", 2, "dialog-warning" },
            { "Weak charger: 18 W — charging is slow or not happening", 1, nullptr },
            { "Charging is slowed (heat or limit)", 1, nullptr },
            { "On power but not charging", 1, nullptr },
            { "Battery health 70 % — time to think about a replacement", 1, nullptr },
        };
        for (std::size_t i = 0; i < 7; ++i) {
            SCOPED_TRACE(expected[i].body);
            const Received& got = recorder.notified[i];
            EXPECT_EQ(got.appName, QStringLiteral("Wattlet"));
            EXPECT_EQ(got.replacesId, 0U);
            EXPECT_EQ(got.icon, QStringLiteral("dev.morvane.Wattlet"));
            EXPECT_EQ(got.summary, QStringLiteral("Wattlet"));
            EXPECT_EQ(got.body, QString::fromUtf8(expected[i].body));
            EXPECT_TRUE(got.actions.isEmpty());
            EXPECT_EQ(got.expireTimeout, -1);
            EXPECT_EQ(got.hints.value(QStringLiteral("desktop-entry")),
                QStringLiteral("dev.morvane.Wattlet"));
            EXPECT_EQ(got.hints.value(QStringLiteral("category")), QStringLiteral("device"));
            const QVariant urgency = got.hints.value(QStringLiteral("urgency"));
            EXPECT_EQ(urgency.metaType(), QMetaType::fromType<uchar>());
            EXPECT_EQ(urgency.toInt(), expected[i].urgency);
            if (expected[i].sound != nullptr) {
                EXPECT_EQ(got.hints.value(QStringLiteral("sound-name")),
                    QString::fromUtf8(expected[i].sound));
                EXPECT_FALSE(got.hints.contains(QStringLiteral("suppress-sound")));
            } else {
                EXPECT_EQ(got.hints.value(QStringLiteral("suppress-sound")), QVariant(true));
                EXPECT_FALSE(got.hints.contains(QStringLiteral("sound-name")));
            }
        }
        EXPECT_TRUE(notifier.available());
    }

    TEST_F(DesktopNotifierTest, TitleAndSentenceFollowTheLanguageAtSendTime)
    {
        auto& recorder = startServer();
        DesktopNotifier notifier;
        BatteryText::setLanguage("ru");
        notifier.announce({ Warning::critical }, warningReading());
        BatteryText::setLanguage("en");
        notifier.announce({ Warning::low }, warningReading());
        ASSERT_TRUE(waitFor([&] { return recorder.notified.size() == 2; }));
        EXPECT_EQ(recorder.notified[0].summary, QStringLiteral("Ваттлет"));
        EXPECT_EQ(recorder.notified[0].body, QStringLiteral("Критично: 4 % — подключи зарядку"));
        EXPECT_EQ(recorder.notified[1].summary, QStringLiteral("Wattlet"));
        EXPECT_EQ(recorder.notified[1].body, QStringLiteral("Low battery: 4 %"));
    }

    TEST_F(DesktopNotifierTest, ReplacesAnnouncedWarningAndClosesClearedOne)
    {
        auto& recorder = startServer();
        DesktopNotifier notifier;
        notifier.announce({ Warning::low, Warning::hot }, warningReading());
        ASSERT_TRUE(waitFor([&] { return notifier.showing(Warning::low); }));
        notifier.announce({ Warning::low }, warningReading());
        notifier.withdraw({ Warning::hot, Warning::notCharging });
        ASSERT_TRUE(
            waitFor([&] { return recorder.notified.size() == 3 && !recorder.closed.empty(); }));
        EXPECT_EQ(recorder.notified[2].replacesId, 1U);
        EXPECT_EQ(recorder.closed, std::vector<uint> { 2 });
        EXPECT_FALSE(notifier.showing(Warning::hot));

        // Dismissed by the user: the id is gone, so nothing to replace or close later.
        recorder.dismiss(1);
        ASSERT_TRUE(waitFor([&] { return !notifier.showing(Warning::low); }));
        notifier.withdraw({ Warning::low });
        notifier.announce({ Warning::low }, warningReading());
        ASSERT_TRUE(waitFor([&] { return recorder.notified.size() == 4; }));
        EXPECT_EQ(recorder.notified[3].replacesId, 0U);
        EXPECT_EQ(recorder.closed, std::vector<uint> { 2 });
    }

    TEST_F(DesktopNotifierTest, ForgetsIdsWhenTheServerIsReplaced)
    {
        auto& previous = startServer();
        DesktopNotifier notifier;
        notifier.announce({ Warning::critical }, warningReading());
        ASSERT_TRUE(waitFor([&] { return notifier.showing(Warning::critical); }));
        previous.holding = true;
        notifier.announce({ Warning::low }, warningReading());
        ASSERT_TRUE(waitFor([&] { return previous.notified.size() == 2; }));

        // The old server gives up the name but stays connected and answers late.
        previous.releaseName();
        RecordingServer next(QStringLiteral("next-notification-server"));
        ASSERT_TRUE(waitFor([&] { return !notifier.showing(Warning::critical); }));
        previous.release(0, 9);
        EXPECT_FALSE(waitFor([&] { return notifier.showing(Warning::low); }, 300));

        notifier.announce({ Warning::critical }, warningReading());
        notifier.withdraw({ Warning::low });
        ASSERT_TRUE(waitFor([&] { return notifier.showing(Warning::critical); }));
        EXPECT_EQ(next.notified.at(0).replacesId, 0U);
        EXPECT_TRUE(next.closed.empty());
    }

    TEST_F(DesktopNotifierTest, WithoutServerNothingBlocksAndALaterServerIsUsed)
    {
        DesktopNotifier notifier;
        QElapsedTimer clock;
        clock.start();
        notifier.announce({ Warning::critical, Warning::low }, warningReading());
        notifier.withdraw({ Warning::low });
        EXPECT_LT(clock.elapsed(), 1000);
        waitFor([] { return false; }, 200);
        EXPECT_FALSE(notifier.available());

        auto& recorder = startServer();
        ASSERT_TRUE(waitFor([&] { return notifier.available(); }));
        notifier.announce({ Warning::hot }, warningReading());
        ASSERT_TRUE(waitFor([&] { return notifier.showing(Warning::hot); }));
        ASSERT_EQ(recorder.notified.size(), 1U);
        EXPECT_EQ(recorder.notified[0].replacesId, 0U);
    }

    TEST_F(DesktopNotifierTest, SilentServerDoesNotBlockAndLateAnswersLeaveNothingStale)
    {
        auto& recorder = startServer();
        recorder.holding = true;
        DesktopNotifier notifier;
        QElapsedTimer clock;
        clock.start();
        notifier.announce({ Warning::critical, Warning::low }, warningReading());
        notifier.announce({ Warning::low }, warningReading());
        notifier.withdraw({ Warning::critical });
        EXPECT_LT(clock.elapsed(), 1000);
        ASSERT_TRUE(waitFor([&] { return recorder.notified.size() == 3; }));

        // The critical warning cleared and the first low one was superseded before the answers.
        recorder.release(0, 41);
        recorder.release(1, 42);
        recorder.release(2, 43);
        ASSERT_TRUE(waitFor([&] { return notifier.showing(Warning::low); }));
        ASSERT_TRUE(waitFor([&] { return recorder.closed.size() == 2; }));
        EXPECT_EQ(recorder.closed, (std::vector<uint> { 41, 42 }));

        recorder.holding = false;
        notifier.withdraw({ Warning::low });
        notifier.announce({ Warning::hot }, warningReading());
        ASSERT_TRUE(waitFor([&] { return notifier.showing(Warning::hot); }));
        EXPECT_EQ(recorder.closed, (std::vector<uint> { 41, 42, 43 }));
    }

} // namespace
} // namespace wattlet

#include "desktop_notifier_test.moc"
