#include "brand.h"

namespace wattlet::Brand {

QString name(bool russian)
{
    return russian ? QStringLiteral("Ваттлет") : QStringLiteral("Wattlet");
}

QUrl authorURL()
{
    static const QUrl url(QStringLiteral("https://morvane.dev"));
    return url;
}

QUrl pageURL()
{
    static const QUrl url(QStringLiteral("https://wattlet.morvane.dev"));
    return url;
}

QUrl privacyURL(bool russian)
{
    return QUrl(pageURL().toString() + QStringLiteral("/")
        + (russian ? QStringLiteral("ru/") : QString()) + QStringLiteral("privacy/"));
}

QString version()
{
#ifdef WATTLET_VERSION
    const QString v = QStringLiteral(WATTLET_VERSION);
    if (!v.isEmpty())
        return v;
#endif
    return QStringLiteral("1.0.0");
}

QString line() { return QStringLiteral("by Morvane · ") + authorURL().host(); }

} // namespace wattlet::Brand
