#include "core/battery_text.h"
#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QStringList>
#include <QVariantMap>

#include <array>
#include <cstdint>

namespace wattlet {

namespace {

    using Warning = BatteryReading::Warning;

    constexpr QLatin1String notificationsService("org.freedesktop.Notifications");
    constexpr QLatin1String notificationsPath("/org/freedesktop/Notifications");
    constexpr QLatin1String notificationsInterface("org.freedesktop.Notifications");
    constexpr QLatin1String busService("org.freedesktop.DBus");
    constexpr QLatin1String busPath("/org/freedesktop/DBus");
    constexpr QLatin1String busInterface("org.freedesktop.DBus");
    constexpr QLatin1String appId("dev.morvane.Wattlet");

    // Long enough for a bus-activated server to start, short enough that a hung one does not
    // pile up pending calls.
    constexpr int callTimeoutMs = 10000;

    constexpr std::size_t warningCount = 7;

    std::size_t indexOf(Warning warning) { return static_cast<std::size_t>(warning); }

    /// Urgency (0 low, 1 normal, 2 critical) and sound per the freedesktop notification hints.
    QVariantMap hintsFor(Warning warning)
    {
        QVariantMap hints { { QStringLiteral("desktop-entry"), QString(appId) },
            { QStringLiteral("category"), QStringLiteral("device") } };
        const auto urgency = [](std::uint8_t level) { return QVariant::fromValue(level); };
        switch (warning) {
        case Warning::critical:
            hints.insert(QStringLiteral("urgency"), urgency(2));
            hints.insert(QStringLiteral("sound-name"), QStringLiteral("battery-low"));
            break;
        case Warning::hot:
            hints.insert(QStringLiteral("urgency"), urgency(2));
            hints.insert(QStringLiteral("sound-name"), QStringLiteral("dialog-warning"));
            break;
        default:
            hints.insert(QStringLiteral("urgency"), urgency(1));
            hints.insert(QStringLiteral("suppress-sound"), true);
            break;
        }
        return hints;
    }

    QString title()
    {
        return BatteryText::language() == "ru" ? QStringLiteral("Ваттлет")
                                               : QStringLiteral("Wattlet");
    }

} // namespace

struct DesktopNotifier::Impl : public QObject
{
    Q_OBJECT

public:
    /// What we know of one warning's notification.
    struct Slot
    {
        uint id = 0; // the server's id of the notification on screen; 0: none known
        std::uint64_t latest = 0; // serial of the last Notify sent for this warning
        bool active = false; // announced and not withdrawn since
    };

    Impl()
        : m_bus(QDBusConnection::sessionBus())
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
    /// a warning at start-up should not be lost to a slow answer.
    [[nodiscard]] bool maySend() const
    {
        return m_bus.isConnected() && (!m_ownerKnown || !m_activatableKnown || available());
    }

    void announce(Warning warning, const BatteryReading& reading)
    {
        Slot& slot = m_slots[indexOf(warning)];
        slot.active = true;
        if (!maySend())
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(notificationsService, notificationsPath,
            notificationsInterface, QStringLiteral("Notify"));
        call << QString(QStringLiteral("Wattlet")) << slot.id << QString(appId) << title()
             << QString::fromStdString(BatteryText::warning(warning, reading)) << QStringList()
             << hintsFor(warning) << std::int32_t { -1 };
        const std::uint64_t serial = ++m_serial;
        slot.latest = serial;
        auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, callTimeoutMs), this);
        connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, warning, serial](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<uint> answer = *done;
                if (!answer.isError())
                    notified(warning, serial, answer.value(), answer.reply().service());
            });
    }

    void withdraw(Warning warning)
    {
        Slot& slot = m_slots[indexOf(warning)];
        slot.active = false;
        if (slot.id != 0)
            close(slot.id);
        slot.id = 0;
    }

    [[nodiscard]] bool showing(Warning warning) const { return m_slots[indexOf(warning)].id != 0; }

private Q_SLOTS:
    void notificationClosed(uint id, uint /*reason*/, const QDBusMessage& signal)
    {
        if (signal.service() != m_owner)
            return;
        for (Slot& slot : m_slots)
            if (slot.id == id)
                slot.id = 0;
    }

private:
    void notified(Warning warning, std::uint64_t serial, uint id, const QString& server)
    {
        // An id from a server that has gone since means nothing to the one there now.
        if (id == 0 || (m_ownerKnown && server != m_owner))
            return;
        Slot& slot = m_slots[indexOf(warning)];
        if (slot.active && slot.latest == serial) {
            slot.id = id;
            return;
        }
        // Answered after the warning cleared or was announced anew: do not leave it on screen.
        // A replacement keeps the id it replaced, and that one is still current.
        if (id != slot.id)
            close(id);
    }

    void ownerChanged(const QString& owner)
    {
        m_owner = owner;
        m_ownerKnown = true;
        // A new server (or none) does not know the old server's notifications.
        for (Slot& slot : m_slots)
            slot.id = 0;
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
        auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, callTimeoutMs), this);
        connect(pending, &QDBusPendingCallWatcher::finished, this,
            [onAnswer](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                onAnswer(done->reply());
            });
    }

    QDBusConnection m_bus;
    QString m_owner;
    bool m_ownerKnown = false;
    bool m_activatable = false;
    bool m_activatableKnown = false;
    std::array<Slot, warningCount> m_slots {};
    std::uint64_t m_serial = 0;
};

DesktopNotifier::DesktopNotifier(QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>())
{ }

DesktopNotifier::~DesktopNotifier() = default;

bool DesktopNotifier::available() const { return m_impl->available(); }

bool DesktopNotifier::showing(BatteryReading::Warning warning) const
{
    return m_impl->showing(warning);
}

void DesktopNotifier::announce(
    const std::vector<BatteryReading::Warning>& fresh, const BatteryReading& reading)
{
    for (const Warning warning : fresh)
        m_impl->announce(warning, reading);
}

void DesktopNotifier::withdraw(const std::vector<BatteryReading::Warning>& cleared)
{
    for (const Warning warning : cleared)
        m_impl->withdraw(warning);
}

} // namespace wattlet

#include "desktop_notifier_linux.moc"
