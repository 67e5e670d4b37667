#include "platform/power_profiles.h"
#include "support/fake_peer.h"
#include "support/wait_until.h"

#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::waitUntil;

    QVariant dictionaries(const QList<QVariantMap>& list) { return QVariant::fromValue(list); }

    /// power-profiles-daemon under its old name (net.hadess.PowerProfiles, as in Debian 12) or
    /// its new one: answers GetAll and the Set of ActiveProfile, and announces changes.
    class FakePowerProfiles : public QDBusVirtualObject
    {
    public:
        explicit FakePowerProfiles(bool newName = false)
            : m_service(newName ? QStringLiteral("org.freedesktop.UPower.PowerProfiles")
                                : QStringLiteral("net.hadess.PowerProfiles"))
            , m_path(newName ? QStringLiteral("/org/freedesktop/UPower/PowerProfiles")
                             : QStringLiteral("/net/hadess/PowerProfiles"))
        {
            qDBusRegisterMetaType<QList<QVariantMap>>();
            QList<QVariantMap> profiles;
            for (const char* name : { "power-saver", "balanced", "performance" })
                profiles.push_back({ { QStringLiteral("Profile"), QString::fromLatin1(name) },
                    { QStringLiteral("Driver"), QStringLiteral("platform_profile") } });
            m_properties = { { QStringLiteral("Profiles"), dictionaries(profiles) },
                { QStringLiteral("ActiveProfile"), QStringLiteral("balanced") },
                { QStringLiteral("PerformanceDegraded"), QString() },
                { QStringLiteral("ActiveProfileHolds"), dictionaries({}) } };
            m_peer.bus().registerVirtualObject(m_path, this);
        }
        ~FakePowerProfiles() override { m_peer.bus().unregisterObject(m_path); }
        FakePowerProfiles(const FakePowerProfiles&) = delete;
        FakePowerProfiles& operator=(const FakePowerProfiles&) = delete;

        bool start() { return m_peer.own(m_service); }
        void stop() { m_peer.release(m_service); }
        /// Changes a property as the daemon would (another program switched), announcing it.
        void set(const QString& name, const QVariant& value)
        {
            m_properties.insert(name, value);
            m_peer.emitSignal(m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"),
                { m_service, QVariantMap { { name, value } }, QStringList() });
        }
        [[nodiscard]] QString active() const
        {
            return m_properties.value(QStringLiteral("ActiveProfile")).toString();
        }

        QString introspect(const QString& /*path*/) const override { return {}; }
        bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
        {
            const QList<QVariant> arguments = message.arguments();
            if (message.member() == QStringLiteral("GetAll")) {
                connection.send(message.createReply(QVariant(m_properties)));
                return true;
            }
            if (message.member() != QStringLiteral("Set") || arguments.size() != 3
                || arguments.at(1).toString() != QStringLiteral("ActiveProfile"))
                return false;
            connection.send(message.createReply());
            set(QStringLiteral("ActiveProfile"), arguments.at(2).value<QDBusVariant>().variant());
            return true;
        }

    private:
        test::FakePeer m_peer;
        QString m_service;
        QString m_path;
        QVariantMap m_properties;
    };

    class PowerProfilesTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            if (!test::DBusTestBus::system().isRunning())
                GTEST_SKIP() << "dbus-daemon is not available";
            profiles = makePowerProfiles();
        }

        std::string active() const { return profiles->state() ? profiles->state()->active : ""; }

        std::unique_ptr<PowerProfiles> profiles;
    };

    TEST_F(PowerProfilesTest, FollowsTheDaemonAndSwitchesThroughIt)
    {
        FakePowerProfiles daemon;
        ASSERT_TRUE(daemon.start());
        ASSERT_TRUE(waitUntil([&] { return active() == "balanced"; }));
        EXPECT_EQ(profiles->state()->profiles,
            (std::vector<std::string> { "power-saver", "balanced", "performance" }));

        // Changed elsewhere: another program switched and holds the mode, the laptop is on a lap.
        daemon.set(QStringLiteral("ActiveProfile"), QStringLiteral("performance"));
        daemon.set(QStringLiteral("PerformanceDegraded"), QStringLiteral("lap-detected"));
        daemon.set(QStringLiteral("ActiveProfileHolds"),
            dictionaries({ { { QStringLiteral("Profile"), QStringLiteral("performance") },
                { QStringLiteral("Reason"), QStringLiteral("compiling") },
                { QStringLiteral("ApplicationId"), QStringLiteral("org.gnome.Builder") } } }));
        ASSERT_TRUE(waitUntil([&] { return profiles->state()->holds.size() == 1; }));
        EXPECT_EQ(active(), "performance");
        EXPECT_EQ(profiles->state()->degraded, "lap-detected");
        EXPECT_EQ(profiles->state()->holds.front(),
            (PowerProfileHold { "performance", "compiling", "org.gnome.Builder" }));

        profiles->choose("power-saver");
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));
        EXPECT_EQ(daemon.active(), QStringLiteral("power-saver"));
    }

    TEST_F(PowerProfilesTest, HiddenWithoutTheDaemonAndBackWhenItAppearsUnderEitherName)
    {
        test::serveEventsFor(50);
        EXPECT_FALSE(profiles->state());
        FakePowerProfiles old;
        ASSERT_TRUE(old.start());
        ASSERT_TRUE(waitUntil([&] { return active() == "balanced"; }));

        // A daemon with the newer name is the one asked.
        FakePowerProfiles newer(true);
        newer.set(QStringLiteral("ActiveProfile"), QStringLiteral("power-saver"));
        ASSERT_TRUE(newer.start());
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));
        newer.stop();
        old.stop();
        EXPECT_TRUE(waitUntil([&] { return !profiles->state(); }));
    }

} // namespace
} // namespace wattlet
