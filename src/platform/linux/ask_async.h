#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QObject>

#include <utility>

namespace wattlet {

/// Sends `call` on `bus` without waiting and hands the finished call (a reply, an error, or the
/// timeout after `timeoutMs`; -1 is the bus's default) to `onReply` in `context`'s thread. Nothing
/// is called once `context` is gone.
template <typename OnReply>
void askAsync(const QDBusConnection& bus, const QDBusMessage& call, QObject* context,
    OnReply onReply, int timeoutMs = -1)
{
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
        [onReply = std::move(onReply)](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            onReply(static_cast<const QDBusPendingCall&>(*finished));
        });
}

} // namespace wattlet
