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

    /// Whether a notification server is on the session bus (our "permission").
    [[nodiscard]] bool available() const;
    /// One notification per warning: summary by the text language at send time, body the
    /// warning sentence, urgency and sound by severity.
    void announce(const std::vector<BatteryReading::Warning>& fresh, const BatteryReading& reading);
    /// Closes the notifications of warnings that are no longer active.
    void withdraw(const std::vector<BatteryReading::Warning>& cleared);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
