#pragma once

#include <QDBusConnection>
#include <QObject>

class QDBusMessage;

namespace wattlet {

/// Emits woke once each time logind announces the end of a sleep (PrepareForSleep with false),
/// accepting the signal only from the current owner of org.freedesktop.login1. The announcement
/// before sleeping (true) is ignored.
class WakeMonitor : public QObject
{
    Q_OBJECT

public:
    explicit WakeMonitor(const QDBusConnection& bus, QObject* parent = nullptr);
    ~WakeMonitor() override;

Q_SIGNALS:
    void woke();

private Q_SLOTS:
    void onPrepareForSleep(const QDBusMessage& message);

private:
    QDBusConnection m_bus;
};

} // namespace wattlet
