#include "prefs.h"

#include "core/power_profiles_state.h"
#include "core/preferred_languages.h"
#include "platform/app_folders.h"
#include "platform/login_item.h"
#include "platform/user_languages.h"

#include <QSettings>

#include <algorithm>

namespace wattlet {

namespace {

    const QString showPercentKey = QStringLiteral("showPercent");
    const QString notifyKey = QStringLiteral("notify");
    const QString languageKey = QStringLiteral("language");
    const QString percentStyleKey = QStringLiteral("percentStyle");
    const QString lowKey = QStringLiteral("lowPercent");
    const QString criticalKey = QStringLiteral("criticalPercent");
    const QString deviceLowKey = QStringLiteral("deviceLowPercent");
    const QString soundKey = QStringLiteral("sound");
    const QString fullReminderKey = QStringLiteral("fullReminderPercent");
    const QString profileOnBatteryKey = QStringLiteral("profileOnBattery");
    const QString profileOnPowerKey = QStringLiteral("profileOnPower");
    const QString keepProfile = QStringLiteral("keep");

    bool plugProfileAllowed(bool onPower, const std::string& profile)
    {
        const auto allowed = plugProfiles(onPower);
        return profile.empty()
            || std::find(allowed.begin(), allowed.end(), profile) != allowed.end();
    }

    std::string storedPlugProfile(const QSettings& settings, bool onPower)
    {
        const std::string profile
            = settings.value(onPower ? profileOnPowerKey : profileOnBatteryKey)
                  .toString()
                  .toStdString();
        return plugProfileAllowed(onPower, profile) ? profile : std::string();
    }

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

    // A whole number as written ("30"); anything else, or one outside `valid`, is absent.
    std::optional<std::int64_t> storedPercent(
        const QSettings& settings, const QString& key, bool (*valid)(std::int64_t))
    {
        const QVariant value = settings.value(key);
        bool ok = false;
        std::int64_t percent = 0;
        if (value.typeId() == QMetaType::LongLong)
            percent = value.toLongLong(&ok);
        else if (value.typeId() == QMetaType::QString)
            percent = value.toString().toLongLong(&ok, 10);
        if (!ok || !valid(percent))
            return std::nullopt;
        return percent;
    }

    // As qlonglong: the INI file writes that as plain digits (a long would become a blob).
    QVariant number(std::int64_t value) { return QVariant(static_cast<qlonglong>(value)); }

    bool reminderInRange(std::int64_t percent)
    {
        return percent == 0 || (percent >= Prefs::minReminderPercent && percent <= 100);
    }

    WarningLevels storedLevelsIn(const QSettings& settings)
    {
        const auto stored = [&settings](const QString& key) {
            return storedPercent(settings, key, [](std::int64_t) { return true; });
        };
        return WarningLevels::stored(stored(lowKey), stored(criticalKey), stored(deviceLowKey));
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

Language textLanguage(LanguageChoice choice)
{
    return wattlet::textLanguage(choice, userLanguages());
}

QString Prefs::filePath() { return AppFolders::settingsFile(); }

LanguageChoice Prefs::storedLanguage()
{
    return storedChoice(QSettings(filePath(), QSettings::IniFormat));
}

WarningLevels Prefs::storedLevels()
{
    return storedLevelsIn(QSettings(filePath(), QSettings::IniFormat));
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
    m_levels = storedLevelsIn(*m_settings);
    m_sound = storedBool(*m_settings, soundKey, true);
    m_fullReminderPercent
        = storedPercent(*m_settings, fullReminderKey, reminderInRange).value_or(0);
    m_profileOnBattery = storedPlugProfile(*m_settings, false);
    m_profileOnPower = storedPlugProfile(*m_settings, true);
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
    const std::string raw = rawValue(choice);
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

bool Prefs::setLevels(const WarningLevels& levels)
{
    if (!levels.valid())
        return false;
    Q_EMIT willChange();
    const bool changed = levels != m_levels;
    m_levels = levels;
    store(lowKey, number(levels.lowPercent));
    store(criticalKey, number(levels.criticalPercent));
    store(deviceLowKey, number(levels.deviceLowPercent));
    if (changed)
        Q_EMIT levelsChanged();
    return true;
}

void Prefs::setSound(bool on)
{
    Q_EMIT willChange();
    m_sound = on;
    store(soundKey, on);
}

void Prefs::setFullReminderPercent(std::int64_t percent)
{
    if (!reminderInRange(percent))
        return;
    Q_EMIT willChange();
    m_fullReminderPercent = percent;
    store(fullReminderKey, number(percent));
}

void Prefs::setPlugProfile(bool onPower, const std::string& profile)
{
    if (!plugProfileAllowed(onPower, profile))
        return;
    Q_EMIT willChange();
    (onPower ? m_profileOnPower : m_profileOnBattery) = profile;
    store(onPower ? profileOnPowerKey : profileOnBatteryKey,
        profile.empty() ? keepProfile : QString::fromStdString(profile));
    Q_EMIT plugProfileChanged(onPower);
}

} // namespace wattlet
