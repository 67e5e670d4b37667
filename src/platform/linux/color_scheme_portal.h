#pragma once

#include "platform/color_scheme.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QVariant>

namespace wattlet {

/// The preference a value of the portal's org.freedesktop.appearance color-scheme setting
/// carries: 1 prefers dark, 2 light; anything else, also a value wrapped in one or more variants
/// that holds no number, is no preference.
[[nodiscard]] SchemePreference schemePreferenceFrom(const QVariant& value);

/// Follows the color-scheme setting of org.freedesktop.portal.Settings on `connection`. Reads
/// it once, asynchronously (ReadOne, or Read when that fails: older portals lack it), and then
/// listens for SettingChanged. Without a portal the preference stays none.
class ColorSchemePortal : public QObject
{
    Q_OBJECT

public:
    explicit ColorSchemePortal(QDBusConnection connection, QObject* parent = nullptr);

    [[nodiscard]] SchemePreference scheme() const { return m_scheme; }

Q_SIGNALS:
    /// The preference differs from the one before.
    void changed(wattlet::SchemePreference scheme);

private Q_SLOTS:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void read(const QString& method);
    void setScheme(SchemePreference scheme);

    QDBusConnection m_connection;
    SchemePreference m_scheme = SchemePreference::none;
    // A change signalled while the first read is on its way is newer than its answer.
    bool m_heardChange = false;
};

} // namespace wattlet
