#include "platform/power_profiles.h"
#include "support/fake_peer.h"
#include "support/wait_until.h"

#include <QDBusMetaType>

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    using test::waitUntil;

    /// power-profiles-daemon under its old name (net.hadess.PowerProfiles, as in Debian 12) or
    /// its new one. Qt answers GetAll and Set from the properties; set() announces a change.
    class FakePowerProfiles : public QObject
    {
        Q_OBJECT
        // Qt answers a Set only for the class's own interface (GetAll also for the registered one).
        Q_CLASSINFO("D-Bus Interface", "net.hadess.PowerProfiles")
        Q_PROPERTY(QList<QVariantMap> Profiles MEMBER m_profiles)
        Q_PROPERTY(QString ActiveProfile MEMBER m_active)
        Q_PROPERTY(QString PerformanceDegraded MEMBER m_degraded)
        Q_PROPERTY(QList<QVariantMap> ActiveProfileHolds MEMBER m_holds)

    public:
        explicit FakePowerProfiles(bool newName = false)
            : m_service(newName ? QStringLiteral("org.freedesktop.UPower.PowerProfiles")
                                : QStringLiteral("net.hadess.PowerProfiles"))
            , m_path(newName ? QStringLiteral("/org/freedesktop/UPower/PowerProfiles")
                             : QStringLiteral("/net/hadess/PowerProfiles"))
        {
            qDBusRegisterMetaType<QList<QVariantMap>>();
            for (const char* name : { "power-saver", "balanced", "performance" })
                m_profiles.push_back({ { QStringLiteral("Profile"), QString::fromLatin1(name) } });
            m_peer.bus().registerObject(
                m_path, m_service, this, QDBusConnection::ExportAllProperties);
        }
        ~FakePowerProfiles() override { m_peer.bus().unregisterObject(m_path); }

        bool start() { return m_peer.own(m_service); }
        void stop() { m_peer.release(m_service); }
        /// Changes a property as the daemon would (another program switched), announcing it.
        void set(const char* name, const QVariant& value)
        {
            setProperty(name, value);
            m_peer.emitSignal(m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"),
                { m_service, QVariantMap { { QString::fromLatin1(name), value } }, QStringList() });
        }

    private:
        test::FakePeer m_peer;
        QString m_service;
        QString m_path;
        QList<QVariantMap> m_profiles;
        QString m_active = QStringLiteral("balanced");
        QString m_degraded;
        QList<QVariantMap> m_holds;
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

    TEST_F(PowerProfilesTest, FollowsTheDaemonUnderEitherNameAndSwitchesThroughIt)
    {
        FakePowerProfiles old;
        ASSERT_TRUE(old.start());
        ASSERT_TRUE(waitUntil([&] { return active() == "balanced"; }));
        EXPECT_EQ(profiles->state()->profiles,
            (std::vector<std::string> { "power-saver", "balanced", "performance" }));

        // Changed elsewhere: another program switched and holds the mode, the laptop is on a lap.
        old.set("ActiveProfile", QStringLiteral("performance"));
        old.set("PerformanceDegraded", QStringLiteral("lap-detected"));
        old.set("ActiveProfileHolds",
            QVariant::fromValue(
                QList<QVariantMap> { { { QStringLiteral("Profile"), QStringLiteral("performance") },
                    { QStringLiteral("Reason"), QStringLiteral("compiling") },
                    { QStringLiteral("ApplicationId"), QStringLiteral("org.gnome.Builder") } } }));
        ASSERT_TRUE(waitUntil([&] { return profiles->state()->holds.size() == 1; }));
        EXPECT_EQ(active(), "performance");
        EXPECT_EQ(profiles->state()->degraded, "lap-detected");
        EXPECT_EQ(profiles->state()->holds.front(),
            (PowerProfileHold { "performance", "compiling", "org.gnome.Builder" }));

        profiles->choose("power-saver");
        EXPECT_TRUE(waitUntil([&] { return active() == "power-saver"; }));

        // A daemon with the newer name is the one asked.
        FakePowerProfiles newer(true);
        ASSERT_TRUE(newer.start());
        EXPECT_TRUE(waitUntil([&] { return active() == "balanced"; }));
        newer.stop();
        old.stop();
        EXPECT_TRUE(waitUntil([&] { return !profiles->state(); }));
    }

} // namespace
} // namespace wattlet

#include "power_profiles_test.moc"
