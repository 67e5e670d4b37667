#include "brand.h"

#include "identity.h"

namespace wattlet::Brand {

QString appId() { return QString::fromLatin1(Identity::appId); }

QString name(bool russian)
{
    return russian ? QStringLiteral("Ваттлет") : QString::fromLatin1(Identity::name);
}

QString version() { return QString::fromLatin1(Identity::version); }

QUrl authorURL()
{
    static const QUrl url(QStringLiteral("https://morvane.dev"));
    return url;
}

QUrl pageURL()
{
    static const QUrl url(QString::fromLatin1(Identity::homepage));
    return url;
}

QUrl privacyURL(bool russian)
{
    return QUrl(pageURL().toString() + QStringLiteral("/")
        + (russian ? QStringLiteral("ru/") : QString()) + QStringLiteral("privacy/"));
}

QString line() { return QStringLiteral("by Morvane · ") + authorURL().host(); }

} // namespace wattlet::Brand
