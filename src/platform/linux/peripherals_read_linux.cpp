#include "upower_device_list.h"
#include "upower_names.h"

#include "platform/peripherals_read.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QTimer>

namespace wattlet {

Peripherals readPeripherals(int timeoutMs)
{
    const QDBusConnection bus = QDBusConnection::systemBus();
    QDBusConnectionInterface* daemon = bus.interface();
    if (daemon == nullptr || !daemon->isServiceRegistered(UPowerNames::service))
        return {};
    UPowerDeviceList devices(bus);
    QEventLoop loop;
    QObject::connect(&devices, &UPowerDeviceList::loaded, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    devices.reload();
    if (!devices.isLoaded())
        loop.exec();
    return devices.peripherals();
}

} // namespace wattlet
