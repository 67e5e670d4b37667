#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace wattlet {

/// Turns every power event (kernel power-supply uevents, UPower device changes, wake from
/// sleep) into one call of onChange on the main thread, without filtering or coalescing. While
/// UPower is absent a fallback tick stands in for battery property events. Each source fails on
/// its own; destroying the watcher unregisters everything.
class PowerWatcher : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        /// Fallback tick while UPower is not on the system bus.
        int fallbackIntervalMs = 60'000;
        bool useUdev = true;
    };

    explicit PowerWatcher(std::function<void()> onChange, QObject* parent = nullptr);
    PowerWatcher(std::function<void()> onChange, Options options, QObject* parent = nullptr);
    ~PowerWatcher() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
