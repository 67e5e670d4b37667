#pragma once

#include <QObject>

#include <functional>

namespace wattlet {

/// A job run from the event loop of `context`'s thread, queued at most once: however often
/// queue() is called before it runs, it runs once, after the last call. Nothing runs once the
/// context is gone. Keep it as a member of the context.
class QueuedJob
{
public:
    QueuedJob(QObject* context, std::function<void()> job);

    void queue();

private:
    QObject* m_context;
    std::function<void()> m_job;
    bool m_queued = false;
};

} // namespace wattlet
