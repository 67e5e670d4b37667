#include "wake_monitor.h"

#include <QDBusMessage>

namespace wattlet {

namespace {

    const QString service = QStringLiteral("org.freedesktop.login1");
    const QString path = QStringLiteral("/org/freedesktop/login1");
    const QString interface = QStringLiteral("org.freedesktop.login1.Manager");
    const QString prepareForSleep = QStringLiteral("PrepareForSleep");

} // namespace

WakeMonitor::WakeMonitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
    m_bus.connect(
        service, path, interface, prepareForSleep, this, SLOT(onPrepareForSleep(QDBusMessage)));
}

WakeMonitor::~WakeMonitor()
{
    m_bus.disconnect(
        service, path, interface, prepareForSleep, this, SLOT(onPrepareForSleep(QDBusMessage)));
}

void WakeMonitor::onPrepareForSleep(const QDBusMessage& message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.isEmpty() || arguments.first().metaType() != QMetaType::fromType<bool>())
        return;
    if (!arguments.first().toBool())
        Q_EMIT woke();
}

} // namespace wattlet
