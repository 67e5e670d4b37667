#include "prefs.h"

#include "core/preferred_languages.h"
#include "platform/app_folders.h"
#include "platform/login_item.h"
#include "platform/user_languages.h"

#include <QSettings>

namespace wattlet {

namespace {

    const QString showPercentKey = QStringLiteral("showPercent");
    const QString notifyKey = QStringLiteral("notify");
    const QString languageKey = QStringLiteral("language");
    const QString percentStyleKey = QStringLiteral("percentStyle");

    // The INI file keeps no types: a boolean read from it is the text it was written as.
    bool storedBool(const QSettings& settings, const QString& key, bool fallback)
    {
        const QVariant value = settings.value(key);
        // Our own writes come back typed while QSettings still holds them in memory.
        if (value.typeId() == QMetaType::Bool)
            return value.toBool();
        if (value.typeId() != QMetaType::QString)
            return fallback;
        const QString text = value.toString();
        if (text == QLatin1String("true"))
            return true;
        if (text == QLatin1String("false"))
            return false;
        return fallback;
    }

    LanguageChoice storedChoice(const QSettings& settings)
    {
        const QVariant language = settings.value(languageKey);
        if (language.typeId() != QMetaType::QString)
            return LanguageChoice::autoLanguage;
        return languageChoiceFromRaw(language.toString().toStdString())
            .value_or(LanguageChoice::autoLanguage);
    }

} // namespace

std::string_view rawValue(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::en:
        return "en";
    case LanguageChoice::ru:
        return "ru";
    case LanguageChoice::autoLanguage:
        break;
    }
    return "auto";
}

std::optional<PercentStyle> percentStyleFromRaw(std::string_view raw)
{
    if (raw == "auto")
        return PercentStyle::automatic;
    if (raw == "label")
        return PercentStyle::label;
    if (raw == "icon")
        return PercentStyle::icon;
    return std::nullopt;
}

std::optional<LanguageChoice> languageChoiceFromRaw(std::string_view raw)
{
    for (const LanguageChoice choice :
        { LanguageChoice::autoLanguage, LanguageChoice::en, LanguageChoice::ru }) {
        if (rawValue(choice) == raw)
            return choice;
    }
    return std::nullopt;
}

Language textLanguage(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::en:
        return Language::en;
    case LanguageChoice::ru:
        return Language::ru;
    case LanguageChoice::autoLanguage:
        break;
    }
    return preferredLanguage(userLanguages());
}

QString Prefs::filePath() { return AppFolders::settingsFile(); }

LanguageChoice Prefs::storedLanguage()
{
    return storedChoice(QSettings(filePath(), QSettings::IniFormat));
}

Prefs::Prefs(QObject* parent)
    : QObject(parent)
    , m_settings(std::make_unique<QSettings>(filePath(), QSettings::IniFormat))
    , m_loginItem(std::make_unique<LoginItem>())
{
    m_showPercent = storedBool(*m_settings, showPercentKey, true);
    m_notify = storedBool(*m_settings, notifyKey, true);
    m_language = storedChoice(*m_settings);
    const QVariant percentStyle = m_settings->value(percentStyleKey);
    if (percentStyle.typeId() == QMetaType::QString)
        m_percentStyle = percentStyleFromRaw(percentStyle.toString().toStdString())
                             .value_or(PercentStyle::automatic);
    m_launchAtLogin = m_loginItem->enabled();
}

Prefs::~Prefs() = default;

void Prefs::store(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
    // Written now rather than at the next idle moment: the program may be ended at any time.
    m_settings->sync();
}

void Prefs::setShowPercent(bool on)
{
    Q_EMIT willChange();
    const bool changed = on != m_showPercent;
    m_showPercent = on;
    store(showPercentKey, on);
    if (changed)
        Q_EMIT showPercentChanged();
}

void Prefs::setNotify(bool on)
{
    Q_EMIT willChange();
    m_notify = on;
    store(notifyKey, on);
}

void Prefs::setLanguage(LanguageChoice choice)
{
    Q_EMIT willChange();
    const bool changed = choice != m_language;
    m_language = choice;
    const std::string_view raw = rawValue(choice);
    store(languageKey, QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())));
    if (changed)
        Q_EMIT languageChanged();
}

void Prefs::assignLaunchAtLogin(bool on)
{
    Q_EMIT willChange();
    m_launchAtLogin = on;
}

void Prefs::setLaunchAtLogin(bool on)
{
    m_loginItem->setEnabled(on);
    assignLaunchAtLogin(m_loginItem->enabled());
}

} // namespace wattlet
