#include "read_worker.h"

#include <condition_variable>
#include <mutex>

namespace wattlet {

struct ReadWorker::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    Read read;
    bool requested = false;
    bool stopping = false;
    bool finished = false;
    // A result waiting for deliver(); it may be taken before its posted call runs.
    bool ready = false;
    std::optional<BatteryReading> result;
    // Cleared under the mutex before the worker goes, so a result is never posted to it after.
    ReadWorker* owner = nullptr;
};

ReadWorker::ReadWorker(Read read, Done done, std::chrono::milliseconds stopWait)
    : m_done(std::move(done))
    , m_stopWait(stopWait)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->read = std::move(read);
    m_shared->owner = this;
    m_thread = std::thread(run, m_shared);
}

ReadWorker::~ReadWorker()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->stopping = true;
    m_shared->changed.notify_all();
    const bool finished
        = m_shared->changed.wait_for(lock, m_stopWait, [this] { return m_shared->finished; });
    lock.unlock();
    if (finished)
        m_thread.join();
    else
        m_thread.detach();
}

bool ReadWorker::start()
{
    if (m_busy)
        return false;
    m_busy = true;
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->requested = true;
    }
    m_shared->changed.notify_all();
    return true;
}

void ReadWorker::run(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->requested || shared->stopping; });
        if (shared->stopping)
            break;
        shared->requested = false;
        lock.unlock();
        std::optional<BatteryReading> result = shared->read();
        lock.lock();
        // The result travels under the mutex, not inside the posted call, so its hand-over
        // is ordered for the sanitizers too. The call is posted by name: a functor made on this
        // thread would be read on the owner's after a hand-over inside Qt, which
        // ThreadSanitizer cannot see.
        if (ReadWorker* owner = shared->owner) {
            shared->result = std::move(result);
            shared->ready = true;
            QMetaObject::invokeMethod(owner, "deliver", Qt::QueuedConnection);
            shared->changed.notify_all();
        }
    }
    shared->finished = true;
    shared->changed.notify_all();
}

bool ReadWorker::deliverWithin(std::chrono::milliseconds wait)
{
    if (!m_busy)
        return false;
    {
        std::unique_lock lock(m_shared->mutex);
        if (!m_shared->changed.wait_for(lock, wait, [this] { return m_shared->ready; }))
            return false;
    }
    deliver();
    return true;
}

void ReadWorker::deliver()
{
    std::optional<BatteryReading> result;
    {
        const std::lock_guard lock(m_shared->mutex);
        // Already handed over by deliverWithin().
        if (!m_shared->ready)
            return;
        m_shared->ready = false;
        result = std::move(m_shared->result);
        m_shared->result.reset();
    }
    m_busy = false;
    m_done(result);
}

} // namespace wattlet
