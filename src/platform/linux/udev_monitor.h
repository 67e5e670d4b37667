#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace wattlet {

/// Announces the device events udev publishes for one kernel subsystem, on the thread that owns
/// the monitor. Where udev or netlink is unavailable (containers, sandboxes) the monitor stays
/// inactive and silent instead of failing.
class UdevMonitor : public QObject
{
    Q_OBJECT

public:
    explicit UdevMonitor(const char* subsystem, QObject* parent = nullptr);
    ~UdevMonitor() override;

    /// True when the netlink socket is open and watched.
    [[nodiscard]] bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    /// One per device event received (add, remove, change, …).
    void deviceEvent();

private:
    void receive();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace wattlet
