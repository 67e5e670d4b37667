#include "udev_monitor.h"
#include "upower_monitor.h"
#include "wake_monitor.h"

#include "platform/battery_io.h"
#include "platform/power_watcher.h"

#include <QDBusConnection>
#include <QTimer>

#include <atomic>

namespace wattlet {

namespace {

    /// The system bus, or a private connection to another address that is closed after
    /// everything using it is gone.
    class BusLease
    {
    public:
        explicit BusLease(const QString& address)
            : m_name(address.isEmpty() ? QString() : uniqueName())
            , m_connection(address.isEmpty() ? QDBusConnection::systemBus()
                                             : QDBusConnection::connectToBus(address, m_name))
        { }
        ~BusLease()
        {
            if (!m_name.isEmpty())
                QDBusConnection::disconnectFromBus(m_name);
        }
        BusLease(const BusLease&) = delete;
        BusLease& operator=(const BusLease&) = delete;

        [[nodiscard]] const QDBusConnection& connection() const { return m_connection; }

    private:
        static QString uniqueName()
        {
            static std::atomic<unsigned> counter { 0 };
            return QStringLiteral("wattlet-power-watcher-%1").arg(++counter);
        }

        QString m_name;
        QDBusConnection m_connection;
    };

} // namespace

struct PowerWatcher::Impl
{
    Impl(std::function<void()> callback, const Options& options)
        : onChange(std::move(callback))
        , onPeripherals(options.onPeripherals)
        , bus(options.busAddress)
        , fallbackEnabled(options.fallbackIntervalMs > 0)
    {
        if (fallbackEnabled)
            fallback.setInterval(options.fallbackIntervalMs);
    }

    void setFallbackRunning(bool running)
    {
        if (running && fallbackEnabled)
            fallback.start();
        else
            fallback.stop();
    }

    std::function<void()> onChange;
    std::function<void(const Peripherals&)> onPeripherals;
    // Declared before the monitors so the private connection outlives them.
    BusLease bus;
    bool fallbackEnabled;
    QTimer fallback;
    std::unique_ptr<UdevMonitor> udev;
    std::unique_ptr<UPowerMonitor> upower;
    std::unique_ptr<WakeMonitor> wake;
};

PowerWatcher::PowerWatcher(std::function<void()> onChange, QObject* parent)
    : PowerWatcher(std::move(onChange), Options {}, parent)
{ }

PowerWatcher::PowerWatcher(std::function<void()> onChange, const Options& options, QObject* parent)
    : QObject(parent)
    , m_impl(std::make_unique<Impl>(std::move(onChange), options))
{
    // A copy is called, so a callback that deletes the watcher does not destroy itself mid-call.
    const auto notify = [this] {
        const std::function<void()> callback = m_impl->onChange;
        if (callback)
            callback();
    };
    connect(&m_impl->fallback, &QTimer::timeout, this, notify);

    if (options.useUdev) {
        m_impl->udev = std::make_unique<UdevMonitor>("power_supply");
        connect(m_impl->udev.get(), &UdevMonitor::deviceEvent, this, notify);
    }

    const QDBusConnection& bus = m_impl->bus.connection();
    if (!bus.isConnected()) {
        m_impl->setFallbackRunning(true);
        return;
    }
    m_impl->upower = std::make_unique<UPowerMonitor>(bus);
    connect(m_impl->upower.get(), &UPowerMonitor::deviceChanged, this, notify);
    connect(m_impl->upower.get(), &UPowerMonitor::peripheralsChanged, this, [this] {
        const std::function<void(const Peripherals&)> callback = m_impl->onPeripherals;
        if (callback)
            callback(m_impl->upower->peripherals());
    });
    connect(m_impl->upower.get(), &UPowerMonitor::presenceChanged, this,
        [this](bool present) { m_impl->setFallbackRunning(!present); });
    m_impl->setFallbackRunning(!m_impl->upower->isPresent());

    m_impl->wake = std::make_unique<WakeMonitor>(bus);
    // Asleep, the rate of before is no guide to the rate after, however short the sleep.
    connect(m_impl->wake.get(), &WakeMonitor::woke, this, [notify] {
        BatteryIO::restartRate();
        notify();
    });
}

PowerWatcher::~PowerWatcher() = default;

} // namespace wattlet
