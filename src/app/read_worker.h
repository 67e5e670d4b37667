#pragma once

#include "core/battery_reading.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace wattlet {

/// Runs a blocking battery read on a thread of its own, one read at a time, and hands each
/// result to `done` on the thread that made the worker: from its event loop, or inside
/// deliverWithin().
class ReadWorker : public QObject
{
    Q_OBJECT

public:
    using Read = std::function<std::optional<BatteryReading>()>;
    using Done = std::function<void(const std::optional<BatteryReading>&)>;

    /// How long the destructor waits for a read in flight.
    static constexpr std::chrono::milliseconds defaultStopWait { 1000 };

    /// `read` is called on the worker thread only; the thread starts at once.
    ReadWorker(Read read, Done done, std::chrono::milliseconds stopWait = defaultStopWait);
    /// Ends the thread, waiting at most the stop wait for a read in flight: a read still
    /// blocked after that (a driver that hangs) is left to finish on its own and its result is
    /// dropped, so quitting never hangs. `done` is not called once destruction has begun.
    ~ReadWorker() override;

    /// Starts a read; false, and nothing happens, while one is in flight (from start() until
    /// its result is handed to `done`).
    bool start();
    /// Waits at most `wait` for the read in flight and hands its result to `done` at once;
    /// false when no read is in flight or it is still running, its result then coming later.
    bool deliverWithin(std::chrono::milliseconds wait);

private:
    struct Shared;
    static void run(const std::shared_ptr<Shared>& shared);
    Q_INVOKABLE void deliver();

    Done m_done;
    std::chrono::milliseconds m_stopWait;
    // Owned by the thread as well: one left running outlives the worker.
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    bool m_busy = false;
};

} // namespace wattlet
