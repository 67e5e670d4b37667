#pragma once

#include "core/battery_reading.h"

#include <QObject>

#include <memory>
#include <vector>

namespace wattlet {

/// Desktop notifications of warnings over org.freedesktop.Notifications on the session bus.
/// Every call is asynchronous: a missing, slow or crashing server never blocks the caller. The
/// server's id of each warning's notification is kept, so announcing it again replaces it and a
/// cleared warning's notification is closed; ids are forgotten when the server restarts.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject* parent = nullptr);
    ~DesktopNotifier() override;

    /// Whether a notification server is on the session bus or can be started by it (our
    /// "permission"), as last learned from the bus: false until the bus has answered.
    [[nodiscard]] bool available() const;
    /// Whether a notification of `warning` is on screen as far as we know: the server gave it an
    /// id, and neither we nor the user closed it and the server has not restarted since.
    [[nodiscard]] bool showing(BatteryReading::Warning warning) const;
    /// One notification per warning: summary by the text language at send time, body the
    /// warning sentence, urgency and sound by severity.
    void announce(const std::vector<BatteryReading::Warning>& fresh, const BatteryReading& reading);
    /// Closes the notifications of warnings that are no longer active; an answer to an earlier
    /// announcement that arrives later is closed as soon as it arrives.
    void withdraw(const std::vector<BatteryReading::Warning>& cleared);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
