#include "color_scheme_portal.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace wattlet {

namespace {

    const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
    const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
    const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
    const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
    const QString colorSchemeKey = QStringLiteral("color-scheme");

} // namespace

SchemePreference schemePreferenceFrom(const QVariant& value)
{
    QVariant inner = value;
    // Read answers with the value in a second variant; a hostile peer may nest deeper.
    for (int depth = 0; depth < 4 && inner.metaType() == QMetaType::fromType<QDBusVariant>();
        ++depth)
        inner = inner.value<QDBusVariant>().variant();
    if (inner.metaType() != QMetaType::fromType<uint>())
        return SchemePreference::none;
    switch (inner.toUInt()) {
    case 1:
        return SchemePreference::dark;
    case 2:
        return SchemePreference::light;
    default:
        return SchemePreference::none;
    }
}

ColorSchemePortal::ColorSchemePortal(QDBusConnection connection, QObject* parent)
    : QObject(parent)
    , m_connection(std::move(connection))
{
    if (!m_connection.isConnected())
        return;
    // The slot's QDBusVariant must be known by name before the connection resolves it.
    qRegisterMetaType<QDBusVariant>();
    m_connection.connect(portalService, portalPath, settingsInterface,
        QStringLiteral("SettingChanged"), this,
        SLOT(settingChanged(QString, QString, QDBusVariant)));
    read(QStringLiteral("ReadOne"));
}

void ColorSchemePortal::read(const QString& method)
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, method);
    call << appearanceGroup << colorSchemeKey;
    auto* pending = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
        [this, method](QDBusPendingCallWatcher* watcher) {
            watcher->deleteLater();
            const QDBusMessage reply = watcher->reply();
            if (m_heardChange)
                return;
            if (reply.type() == QDBusMessage::ReplyMessage)
                setScheme(schemePreferenceFrom(reply.arguments().value(0)));
            else if (method == QLatin1String("ReadOne"))
                read(QStringLiteral("Read"));
        });
}

void ColorSchemePortal::settingChanged(
    const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group != appearanceGroup || key != colorSchemeKey)
        return;
    m_heardChange = true;
    setScheme(schemePreferenceFrom(QVariant::fromValue(value)));
}

void ColorSchemePortal::setScheme(SchemePreference scheme)
{
    if (m_scheme == scheme)
        return;
    m_scheme = scheme;
    Q_EMIT changed(scheme);
}

} // namespace wattlet
