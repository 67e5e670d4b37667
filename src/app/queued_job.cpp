#include "queued_job.h"

#include <QMetaObject>

namespace wattlet {

QueuedJob::QueuedJob(QObject* context, std::function<void()> job)
    : m_context(context)
    , m_job(std::move(job))
{ }

void QueuedJob::queue()
{
    if (m_queued)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            m_queued = false;
            m_job();
        },
        Qt::QueuedConnection);
}

} // namespace wattlet
