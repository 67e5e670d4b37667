#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace wattlet::test {

/// Serves the event loop until the condition holds or `milliseconds` pass; false on time-out.
inline bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return true;
}

/// Serves the event loop for `milliseconds`, for checks that something did not happen.
inline void serveEventsFor(int milliseconds)
{
    waitUntil([deadline = QDeadlineTimer(milliseconds)] { return deadline.hasExpired(); });
}

} // namespace wattlet::test
