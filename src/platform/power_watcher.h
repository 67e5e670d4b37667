#pragma once

#include "core/peripheral.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace wattlet {

/// Turns every power event of the machine (kernel power-supply uevents, UPower changes of its
/// batteries and line power, wake from sleep) into one call of onChange on the thread that
/// created the watcher (the main thread), without filtering or coalescing. The batteries of
/// peripherals (mice, keyboards, headsets, …) go to onPeripherals instead, with the whole list
/// each time it changes. While UPower is absent, or the system bus cannot be reached,
/// a fallback tick stands in for battery property events. Each source fails on its own;
/// destroying the watcher unregisters everything, and no call happens after that, even for
/// events already queued.
class PowerWatcher : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        /// Fallback tick while UPower is not on the system bus; 0 or less turns the tick off.
        int fallbackIntervalMs = 60'000;
        bool useUdev = true;
        /// A D-Bus address watched instead of the system bus; empty means the system bus. An
        /// address that cannot be reached counts as no system bus at all.
        QString busAddress;
        /// Called with the whole list after every change of the peripherals' batteries (the
        /// list starts empty); empty means nobody listens.
        std::function<void(const Peripherals&)> onPeripherals;
    };

    explicit PowerWatcher(std::function<void()> onChange, QObject* parent = nullptr);
    PowerWatcher(std::function<void()> onChange, const Options& options, QObject* parent = nullptr);
    ~PowerWatcher() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
