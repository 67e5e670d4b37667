#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

namespace wattlet {

/// One desktop notification as the program wants it shown. Texts are UTF-8.
struct DesktopNotification
{
    /// The freedesktop urgency levels, by their protocol values.
    enum class Urgency : std::uint8_t { low = 0, normal = 1, critical = 2 };

    /// Names the notification: sending one with the same id replaces it on screen.
    std::string id;
    std::string title;
    std::string body;
    Urgency urgency = Urgency::normal;
    /// A sound of the freedesktop sound theme ("battery-low"); empty: silent.
    std::string sound;
    /// The name of what a click on the notification does ("Open panel"), where the server
    /// offers actions; empty: a click only dismisses it.
    std::string defaultAction;
};

/// Desktop notifications over org.freedesktop.Notifications on the session bus. Every call is
/// asynchronous: a missing, slow or crashing server never blocks the caller. The server's id of
/// each notification is kept by our id, so sending it again replaces it and withdrawing closes
/// it; ids are forgotten when the server restarts. Where the server offers actions, a
/// notification with a defaultAction carries it as the "default" action; clicked() reports its
/// use, and the notification is closed then.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject* parent = nullptr);
    ~DesktopNotifier() override;

    /// Whether a notification server is on the session bus or can be started by it (our
    /// "permission"), as last learned from the bus: false until the bus has answered.
    [[nodiscard]] bool available() const;
    /// Whether the notification `id` is on screen as far as we know: the server gave it an id,
    /// and neither we nor the user closed it and the server has not restarted since.
    [[nodiscard]] bool showing(const std::string& id) const;
    /// Shows `notification`, replacing the one on screen with the same id.
    void send(const DesktopNotification& notification);
    /// Closes the notification `id`; an answer to an earlier send that arrives later is closed
    /// as soon as it arrives.
    void withdraw(const std::string& id);

Q_SIGNALS:
    /// The user clicked one of our notifications (invoked its default action). The server's
    /// activation token for the window that answers it, or empty when it sent none.
    void clicked(const QString& activationToken);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
