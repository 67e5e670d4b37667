#include "udev_monitor.h"

#include <QSocketNotifier>

#include <libudev.h>

namespace wattlet {

UdevMonitor::UdevMonitor(const char* subsystem, QObject* parent)
    : QObject(parent)
    , m_udev(udev_new())
{
    if (m_udev == nullptr)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor == nullptr)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, subsystem, nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0)
        return;
    const int fd = udev_monitor_get_fd(m_monitor);
    if (fd < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &UdevMonitor::receive);
}

UdevMonitor::~UdevMonitor()
{
    m_notifier.reset();
    if (m_monitor != nullptr)
        udev_monitor_unref(m_monitor);
    if (m_udev != nullptr)
        udev_unref(m_udev);
}

void UdevMonitor::receive()
{
    // One device per wakeup: the notifier fires again while more are queued, and a receiver that
    // deletes this monitor from its slot never returns into a loop over freed members.
    udev_device* device = udev_monitor_receive_device(m_monitor);
    if (device == nullptr)
        return;
    udev_device_unref(device);
    Q_EMIT deviceEvent();
}

} // namespace wattlet
