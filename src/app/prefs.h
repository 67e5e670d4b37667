#pragma once

#include "core/language.h"
#include "core/preferred_languages.h"
#include "core/warning_levels.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSettings;

namespace wattlet {

class LoginItem;

/// Where the tray shows the percentage: chosen from the host, as the host's label, or in the icon.
enum class PercentStyle { automatic, label, icon };

/// Exactly "auto", "label" or "icon"; nothing for any other text.
[[nodiscard]] std::optional<PercentStyle> percentStyleFromRaw(std::string_view raw);

/// The language the texts are written in for `choice`: English or Russian as chosen; for auto
/// Russian when the user's first preferred language starts with "ru", else English (also when
/// there is none).
[[nodiscard]] Language textLanguage(LanguageChoice choice);

/// The user's settings. showPercent, notify and language persist in an INI file under
/// $XDG_CONFIG_HOME/Wattlet, written at once on every assignment; only the texts "true" and
/// "false" count as stored booleans and anything else reads as the default. launchAtLogin
/// mirrors the XDG autostart entry and is never stored. percentStyle is read from the file only
/// (key "percentStyle", default auto): a setting for hosts we guess wrong. willChange() fires
/// immediately before every assignment, also of an unchanged value; showPercentChanged(),
/// languageChanged() and levelsChanged() fire after an assignment that changed the value.
/// The notification settings (levels, sound, reminder) persist likewise, as integers and
/// booleans; a stored level out of range, or a pair that does not keep the critical level
/// below the low one, reads as the default. The power profiles to follow the plug persist as
/// "profileOnBattery" and "profileOnPower"; one not offered for that supply reads as "keep".
class Prefs : public QObject
{
    Q_OBJECT

public:
    /// Reads the stored settings and the autostart entry.
    explicit Prefs(QObject* parent = nullptr);
    ~Prefs() override;

    /// AppFolders::settingsFile(): $XDG_CONFIG_HOME/Wattlet/Wattlet.conf on Linux, following the
    /// environment on every call.
    [[nodiscard]] static QString filePath();
    /// The stored language choice alone, for the command line's reports: auto when none is
    /// stored or the text is not one of the raw values.
    [[nodiscard]] static LanguageChoice storedLanguage();

    [[nodiscard]] bool showPercent() const { return m_showPercent; }
    void setShowPercent(bool on);
    [[nodiscard]] bool notify() const { return m_notify; }
    void setNotify(bool on);
    [[nodiscard]] LanguageChoice language() const { return m_language; }
    /// Stores the raw value.
    void setLanguage(LanguageChoice choice);
    /// textLanguage() of the chosen language: what every text is written in.
    [[nodiscard]] Language textLanguage() const { return wattlet::textLanguage(m_language); }
    [[nodiscard]] PercentStyle percentStyle() const { return m_percentStyle; }
    [[nodiscard]] bool launchAtLogin() const { return m_launchAtLogin; }
    /// Changes only the observable value; the autostart entry is left alone.
    void assignLaunchAtLogin(bool on);
    /// Creates or removes the autostart entry, then reads back whether it is enabled.
    void setLaunchAtLogin(bool on);

    /// The stored warning levels alone, for the command line's reports.
    [[nodiscard]] static WarningLevels storedLevels();
    [[nodiscard]] const WarningLevels& levels() const { return m_levels; }
    /// Stores `levels` when they are valid(); false, with nothing changed or signalled, when not.
    bool setLevels(const WarningLevels& levels);
    /// Whether notifications sound: off sends every one silent.
    [[nodiscard]] bool sound() const { return m_sound; }
    void setSound(bool on);
    /// The charge at which to remind that the battery may be unplugged: 0 (off, the default) or
    /// minReminderPercent–100.
    [[nodiscard]] std::int64_t fullReminderPercent() const { return m_fullReminderPercent; }
    /// Stores `percent` when it is 0 or in range; anything else is ignored.
    void setFullReminderPercent(std::int64_t percent);
    static constexpr std::int64_t minReminderPercent = 50;
    /// The power profile to switch to when the charger comes (`onPower`) or goes, one of
    /// plugProfiles(); empty (the default, stored as "keep") leaves the mode as it is.
    [[nodiscard]] const std::string& plugProfile(bool onPower) const
    {
        return onPower ? m_profileOnPower : m_profileOnBattery;
    }
    /// Stores `profile` when it is empty or one of plugProfiles(onPower); anything else is
    /// ignored.
    void setPlugProfile(bool onPower, const std::string& profile);

Q_SIGNALS:
    void willChange();
    void showPercentChanged();
    void languageChanged();
    void levelsChanged();
    void plugProfileChanged(bool onPower);

private:
    void store(const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<LoginItem> m_loginItem;
    bool m_showPercent = true;
    bool m_notify = true;
    LanguageChoice m_language = LanguageChoice::autoLanguage;
    bool m_launchAtLogin = false;
    PercentStyle m_percentStyle = PercentStyle::automatic;
    WarningLevels m_levels;
    bool m_sound = true;
    std::int64_t m_fullReminderPercent = 0;
    std::string m_profileOnBattery;
    std::string m_profileOnPower;
};

} // namespace wattlet
