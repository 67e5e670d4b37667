#include "ask_async.h"
#include "dbus_argument.h"

#include "platform/power_profiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>

#include <array>
#include <functional>

namespace wattlet {

namespace {

    struct Daemon
    {
        QString service;
        QString path;
    };

    // The newer name first: a daemon that answers to both is asked by it.
    const std::array<Daemon, 2>& daemons()
    {
        static const std::array<Daemon, 2> names { {
            { QStringLiteral("org.freedesktop.UPower.PowerProfiles"),
                QStringLiteral("/org/freedesktop/UPower/PowerProfiles") },
            { QStringLiteral("net.hadess.PowerProfiles"),
                QStringLiteral("/net/hadess/PowerProfiles") },
        } };
        return names;
    }

    const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

    // An aa{sv} property: its dictionaries, none when it is something else.
    QList<QVariantMap> dictionaries(const QVariant& value)
    {
        return argumentAs<QList<QVariantMap>>(value, "aa{sv}").value_or(QList<QVariantMap>());
    }

    std::string text(const QVariantMap& map, const char* key)
    {
        return map.value(QString::fromLatin1(key)).toString().toStdString();
    }

    std::optional<PowerProfilesState> stateFrom(const QVariantMap& properties)
    {
        PowerProfilesState state;
        for (const QVariantMap& profile :
            dictionaries(properties.value(QStringLiteral("Profiles"))))
            state.profiles.push_back(text(profile, "Profile"));
        state.active = properties.value(QStringLiteral("ActiveProfile")).toString().toStdString();
        state.degraded
            = properties.value(QStringLiteral("PerformanceDegraded")).toString().toStdString();
        for (const QVariantMap& hold :
            dictionaries(properties.value(QStringLiteral("ActiveProfileHolds"))))
            state.holds.push_back(
                { text(hold, "Profile"), text(hold, "Reason"), text(hold, "ApplicationId") });
        if (state.profiles.empty() || state.active.empty())
            return std::nullopt;
        return state;
    }

    class LinuxPowerProfiles : public PowerProfiles
    {
        Q_OBJECT

    public:
        explicit LinuxPowerProfiles(QObject* parent)
            : PowerProfiles(parent)
            , m_bus(QDBusConnection::systemBus())
        {
            for (const Daemon& daemon : daemons()) {
                // Naming the service makes Qt accept a signal only from the name's owner.
                m_bus.connect(daemon.service, daemon.path, propertiesInterface,
                    QStringLiteral("PropertiesChanged"), this, SLOT(fetch()));
                auto* watcher = new QDBusServiceWatcher(
                    daemon.service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
                connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                    &LinuxPowerProfiles::findDaemon);
            }
            findDaemon();
        }

        [[nodiscard]] const std::optional<PowerProfilesState>& state() const override
        {
            return m_state;
        }

        /// Whether an answer of the daemon is awaited.
        [[nodiscard]] bool asking() const { return m_asking; }
        /// Called after every answer of the daemon, changed or not.
        std::function<void()> onAnswer;

        void choose(const std::string& profile) override
        {
            if (m_daemon == nullptr)
                return;
            auto call = QDBusMessage::createMethodCall(
                m_daemon->service, m_daemon->path, propertiesInterface, QStringLiteral("Set"));
            // The interface has the bus name's spelling.
            call.setArguments({ m_daemon->service, QStringLiteral("ActiveProfile"),
                QVariant::fromValue(QDBusVariant(QString::fromStdString(profile))) });
            // Refused or not, the daemon's own state is shown afterwards.
            askAsync(m_bus, call, this, [this](const QDBusPendingCall&) { fetch(); });
        }

    private:
        // The first daemon whose name has an owner; its properties are asked for.
        void findDaemon()
        {
            const QDBusConnectionInterface* names = m_bus.interface();
            m_daemon = nullptr;
            for (const Daemon& daemon : daemons()) {
                if (names != nullptr && names->isServiceRegistered(daemon.service).value()) {
                    m_daemon = &daemon;
                    break;
                }
            }
            fetch();
        }

        // A question that a later one overtook is dropped.
        Q_SLOT void fetch()
        {
            const unsigned asked = ++m_asked;
            if (m_daemon == nullptr) {
                m_asking = false;
                publish(std::nullopt);
                return;
            }
            m_asking = true;
            auto call = QDBusMessage::createMethodCall(
                m_daemon->service, m_daemon->path, propertiesInterface, QStringLiteral("GetAll"));
            call.setArguments({ m_daemon->service });
            askAsync(m_bus, call, this, [this, asked](const QDBusPendingCall& answer) {
                if (asked != m_asked)
                    return;
                m_asking = false;
                const QDBusPendingReply<QVariantMap> reply = answer;
                publish(reply.isValid() ? stateFrom(reply.value()) : std::nullopt);
                if (onAnswer)
                    onAnswer();
            });
        }

        void publish(std::optional<PowerProfilesState> state)
        {
            if (state == m_state)
                return;
            m_state = std::move(state);
            Q_EMIT changed();
        }

        QDBusConnection m_bus;
        const Daemon* m_daemon = nullptr;
        std::optional<PowerProfilesState> m_state;
        unsigned m_asked = 0;
        bool m_asking = false;
    };

} // namespace

std::unique_ptr<PowerProfiles> makePowerProfiles(QObject* parent)
{
    return std::make_unique<LinuxPowerProfiles>(parent);
}

std::optional<PowerProfilesState> readPowerProfiles(int timeoutMs)
{
    LinuxPowerProfiles profiles(nullptr);
    if (profiles.asking()) {
        QEventLoop loop;
        profiles.onAnswer = [&loop] { loop.quit(); };
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return profiles.state();
}

} // namespace wattlet

#include "power_profiles_linux.moc"
