#pragma once

#include "app/prefs.h"

#include <array>
#include <string>

namespace wattlet {

/// The settings page's texts and the values its controls show.
struct SettingsPageView
{
    struct Toggle
    {
        std::string label;
        bool on = false;
    };

    std::string title;
    /// The back button's text.
    std::string back;
    Toggle percent;
    Toggle notify;
    Toggle login;
    std::string languageLabel;
    /// Auto (in the current language), then "English" and "Русский" in every language.
    std::array<std::string, 3> segments;
    /// Index into segments of the chosen language: 0 auto, 1 en, 2 ru.
    int selected = 0;
};

/// The settings page for these preference values, in the current text language.
[[nodiscard]] SettingsPageView settingsPageView(
    bool showPercent, bool notify, bool launchAtLogin, LanguageChoice language);

/// The language of a segment index; out-of-range indexes give auto.
[[nodiscard]] LanguageChoice languageOfSegment(int index);

} // namespace wattlet
