#include "ask_async.h"
#include "identity.h"

#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace wattlet {

namespace {

    constexpr QLatin1String notificationsService("org.freedesktop.Notifications");
    constexpr QLatin1String notificationsPath("/org/freedesktop/Notifications");
    constexpr QLatin1String notificationsInterface("org.freedesktop.Notifications");
    constexpr QLatin1String busService("org.freedesktop.DBus");
    constexpr QLatin1String busPath("/org/freedesktop/DBus");
    constexpr QLatin1String busInterface("org.freedesktop.DBus");
    constexpr QLatin1String appId(Identity::appId, sizeof(Identity::appId) - 1);

    // Long enough for a bus-activated server to start, short enough that a hung one does not
    // pile up pending calls.
    constexpr int callTimeoutMs = 10000;

    // The action a click on the notification invokes.
    const QString defaultActionKey = QStringLiteral("default");

    /// What the server said it does with a notification.
    struct Capabilities
    {
        bool bodyMarkup = true;
        bool actions = false;
    };

    /// Urgency (0 low, 1 normal, 2 critical) and sound per the freedesktop notification hints.
    QVariantMap hintsFor(const DesktopNotification& notification)
    {
        QVariantMap hints { { QStringLiteral("desktop-entry"), QString(appId) },
            { QStringLiteral("category"), QStringLiteral("device") },
            { QStringLiteral("urgency"),
                QVariant::fromValue(static_cast<std::uint8_t>(notification.urgency)) } };
        if (notification.sound.empty())
            hints.insert(QStringLiteral("suppress-sound"), true);
        else
            hints.insert(QStringLiteral("sound-name"), QString::fromStdString(notification.sound));
        return hints;
    }

    /// The body as text, where a server reads markup in it: a name a device gave itself must not
    /// become a link, an image or a tag that breaks the rest.
    QString bodyText(const std::string& body, bool markup)
    {
        const QString text = QString::fromStdString(body);
        if (!markup)
            return text;
        QString escaped;
        escaped.reserve(text.size());
        for (const QChar c : text) {
            if (c == QLatin1Char('&'))
                escaped += QStringLiteral("&amp;");
            else if (c == QLatin1Char('<'))
                escaped += QStringLiteral("&lt;");
            else if (c == QLatin1Char('>'))
                escaped += QStringLiteral("&gt;");
            else
                escaped += c;
        }
        return escaped;
    }

} // namespace

struct DesktopNotifier::Impl : public QObject
{
    Q_OBJECT

public:
    /// What we know of one notification of ours.
    struct Slot
    {
        uint id = 0; // the server's id of the notification on screen; 0: none known
        std::uint64_t latest = 0; // serial of the last Notify sent for it
        bool active = false; // announced and not withdrawn since
    };

    explicit Impl(std::function<void(const QString&)> onClick)
        : m_bus(QDBusConnection::sessionBus())
        , m_onClick(std::move(onClick))
    {
        if (!m_bus.isConnected())
            return;
        // Watch before asking, so no change can fall between the answer and the watch.
        auto* watcher = new QDBusServiceWatcher(
            notificationsService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { ownerChanged(owner); });
        m_bus.connect(QString(), notificationsPath, notificationsInterface,
            QStringLiteral("NotificationClosed"), this,
            SLOT(notificationClosed(uint, uint, QDBusMessage)));
        m_bus.connect(QString(), notificationsPath, notificationsInterface,
            QStringLiteral("ActionInvoked"), this,
            SLOT(actionInvoked(uint, QString, QDBusMessage)));
        m_bus.connect(QString(), notificationsPath, notificationsInterface,
            QStringLiteral("ActivationToken"), this,
            SLOT(activationToken(uint, QString, QDBusMessage)));
        askBus(QStringLiteral("GetNameOwner"), { QString(notificationsService) },
            [this](const QDBusMessage& answer) {
                if (answer.type() == QDBusMessage::ReplyMessage)
                    ownerChanged(answer.arguments().value(0).toString());
                else if (answer.errorName()
                    == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
                    ownerChanged(QString());
            });
        askBus(QStringLiteral("ListActivatableNames"), {}, [this](const QDBusMessage& answer) {
            if (answer.type() != QDBusMessage::ReplyMessage)
                return;
            m_activatable = answer.arguments().value(0).toStringList().contains(
                QString(notificationsService));
            m_activatableKnown = true;
        });
    }

    [[nodiscard]] bool available() const
    {
        return m_bus.isConnected() && (!m_owner.isEmpty() || m_activatable);
    }

    /// Until the bus has answered both questions we send anyway: the call is asynchronous and
    /// a notification at start-up should not be lost to a slow answer.
    [[nodiscard]] bool maySend() const
    {
        return m_bus.isConnected() && (!m_ownerKnown || !m_activatableKnown || available());
    }

    void send(const DesktopNotification& notification)
    {
        Slot& slot = m_slots[notification.id];
        slot.active = true;
        if (!maySend())
            return;
        // How to write the body depends on the server: the notification waits for its answer.
        if (!m_capabilities) {
            forget(notification.id);
            m_waiting.push_back(notification);
            askCapabilities();
            return;
        }
        notify(notification, slot);
    }

    void withdraw(const std::string& id)
    {
        forget(id);
        const auto found = m_slots.find(id);
        if (found == m_slots.end())
            return;
        Slot& slot = found->second;
        slot.active = false;
        if (slot.id != 0)
            close(slot.id);
        slot.id = 0;
    }

    [[nodiscard]] bool showing(const std::string& id) const
    {
        const auto found = m_slots.find(id);
        return found != m_slots.end() && found->second.id != 0;
    }

private Q_SLOTS:
    void notificationClosed(uint id, uint /*reason*/, const QDBusMessage& signal)
    {
        if (signal.service() != m_owner)
            return;
        for (auto& [name, slot] : m_slots)
            if (slot.id == id)
                slot.id = 0;
    }

    /// Sent just before the action it goes with (Notifications 1.2).
    void activationToken(uint id, const QString& token, const QDBusMessage& signal)
    {
        if (signal.service() == m_owner && ours(id))
            m_token = { id, token };
    }

    void actionInvoked(uint id, const QString& action, const QDBusMessage& signal)
    {
        if (signal.service() != m_owner || action != defaultActionKey || !ours(id))
            return;
        const QString token = m_token && m_token->first == id ? m_token->second : QString();
        m_token.reset();
        // Answered: servers should remove it now, and some (dunst's menu) do not, leaving it
        // over the panel that opens.
        close(id);
        notificationClosed(id, 0, signal);
        m_onClick(token);
    }

private:
    void notify(const DesktopNotification& notification, Slot& slot)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(notificationsService, notificationsPath,
            notificationsInterface, QStringLiteral("Notify"));
        const Capabilities capabilities = m_capabilities.value_or(Capabilities {});
        QStringList actions;
        if (capabilities.actions && !notification.defaultAction.empty())
            actions = { defaultActionKey, QString::fromStdString(notification.defaultAction) };
        call << QString::fromLatin1(Identity::name) << slot.id << QString(appId)
             << QString::fromStdString(notification.title)
             << bodyText(notification.body, capabilities.bodyMarkup) << actions
             << hintsFor(notification) << std::int32_t { -1 };
        const std::uint64_t serial = ++m_serial;
        slot.latest = serial;
        askAsync(
            m_bus, call, this,
            [this, id = notification.id, serial, server = m_serverCount](
                const QDBusPendingCall& finished) {
                const QDBusPendingReply<uint> answer = finished;
                if (!answer.isError())
                    notified(id, serial, answer.value(), server);
            },
            callTimeoutMs);
    }

    /// Asks the server whether it reads markup in bodies and offers actions, once per server,
    /// and then sends what waited for the answer. A server that cannot say is taken to read
    /// markup (escaped text is at worst shown with its entities, unescaped text may be shown as
    /// a link) and to offer no actions.
    void askCapabilities()
    {
        if (m_capabilitiesAsked)
            return;
        m_capabilitiesAsked = true;
        const QDBusMessage call = QDBusMessage::createMethodCall(notificationsService,
            notificationsPath, notificationsInterface, QStringLiteral("GetCapabilities"));
        askAsync(
            m_bus, call, this,
            [this, server = m_serverCount](const QDBusPendingCall& finished) {
                const QDBusPendingReply<QStringList> answer = finished;
                // Asked of a server that has gone since.
                if (server != m_serverCount)
                    return;
                Capabilities capabilities;
                if (!answer.isError()) {
                    capabilities.bodyMarkup
                        = answer.value().contains(QStringLiteral("body-markup"));
                    capabilities.actions = answer.value().contains(QStringLiteral("actions"));
                }
                m_capabilities = capabilities;
                for (const DesktopNotification& notification : std::exchange(m_waiting, {})) {
                    if (Slot& slot = m_slots[notification.id]; slot.active)
                        notify(notification, slot);
                }
            },
            callTimeoutMs);
    }

    [[nodiscard]] bool ours(uint id) const
    {
        return id != 0 && std::any_of(m_slots.begin(), m_slots.end(), [id](const auto& entry) {
            return entry.second.id == id;
        });
    }

    void forget(const std::string& id)
    {
        std::erase_if(m_waiting,
            [&id](const DesktopNotification& notification) { return notification.id == id; });
    }

    void notified(const std::string& name, std::uint64_t serial, uint id, std::uint64_t server)
    {
        // An id from a server that has gone since means nothing to the one there now. (The
        // sender of the answer cannot tell: Qt 6.8 leaves a reply's service empty.)
        if (id == 0 || server != m_serverCount)
            return;
        Slot& slot = m_slots[name];
        if (slot.active && slot.latest == serial) {
            slot.id = id;
            return;
        }
        // Answered after it was withdrawn or sent anew: do not leave it on screen.
        // A replacement keeps the id it replaced, and that one is still current.
        if (id != slot.id)
            close(id);
    }

    void ownerChanged(const QString& owner)
    {
        // A server started by our own call (bus activation) is the one that answers it.
        if (!m_owner.isEmpty())
            ++m_serverCount;
        m_owner = owner;
        m_ownerKnown = true;
        // A new server (or none) does not know the old server's notifications, and may read
        // bodies otherwise.
        for (auto& [name, slot] : m_slots)
            slot.id = 0;
        m_capabilities.reset();
        m_token.reset();
        m_capabilitiesAsked = false;
        if (!m_waiting.empty())
            askCapabilities();
    }

    void close(uint id)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(notificationsService, notificationsPath,
            notificationsInterface, QStringLiteral("CloseNotification"));
        call << id;
        call.setAutoStartService(false);
        m_bus.send(call);
    }

    template <typename OnAnswer>
    void askBus(const QString& method, const QVariantList& arguments, OnAnswer onAnswer)
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(busService, busPath, busInterface, method);
        call.setArguments(arguments);
        askAsync(
            m_bus, call, this,
            [onAnswer](const QDBusPendingCall& answer) { onAnswer(answer.reply()); },
            callTimeoutMs);
    }

    QDBusConnection m_bus;
    QString m_owner;
    bool m_ownerKnown = false;
    bool m_activatable = false;
    bool m_activatableKnown = false;
    std::map<std::string, Slot> m_slots;
    std::uint64_t m_serial = 0;
    /// What the current server does with notifications; absent until it has answered.
    std::optional<Capabilities> m_capabilities;
    bool m_capabilitiesAsked = false;
    /// Counts servers gone or replaced, so an answer of a server that has gone is dropped.
    std::uint64_t m_serverCount = 0;
    /// Notifications sent before the server said how it reads bodies, in the order sent; one
    /// per id, the latest.
    std::vector<DesktopNotification> m_waiting;
    /// The last activation token and the notification it came with.
    std::optional<std::pair<uint, QString>> m_token;
    std::function<void(const QString&)> m_onClick;
};

DesktopNotifier::DesktopNotifier(QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>(
          [this](const QString& activationToken) { Q_EMIT clicked(activationToken); }))
{ }

DesktopNotifier::~DesktopNotifier() = default;

bool DesktopNotifier::available() const { return m_impl->available(); }

bool DesktopNotifier::showing(const std::string& id) const { return m_impl->showing(id); }

void DesktopNotifier::send(const DesktopNotification& notification) { m_impl->send(notification); }

void DesktopNotifier::withdraw(const std::string& id) { m_impl->withdraw(id); }

} // namespace wattlet

#include "desktop_notifier_linux.moc"
