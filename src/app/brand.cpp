#include "brand.h"

#include "identity.h"

#include "core/battery_text.h"

namespace wattlet::Brand {

QString appId() { return QString::fromLatin1(Identity::appId); }

QString name(Language language)
{
    // The build's name in English; a catalog may write it in its own script.
    return language == Language::en ? QString::fromLatin1(Identity::name)
                                    : QString::fromStdString(BatteryText::t("app.name", language));
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
