#pragma once

#include "app/prefs.h"
#include "core/language.h"

#include <string>
#include <vector>

namespace wattlet {

/// The settings page's texts and the values its controls show.
struct SettingsPageView
{
    struct Toggle
    {
        std::string label;
        bool on = false;
    };

    /// A row that opens a page of its own, with the gist of that page beside its label.
    struct Link
    {
        std::string label;
        std::string value;
    };

    std::string title;
    /// The back button's text.
    std::string back;
    Toggle percent;
    /// Opens the notifications page; says whether warnings are announced at all.
    Link notifications;
    Toggle login;
    /// One choice of the language control.
    struct LanguageItem
    {
        std::string label;
        LanguageChoice choice = LanguageChoice::autoLanguage;
    };

    std::string languageLabel;
    /// Auto (in the page's language), then every language by its own name ("Deutsch", "日本語").
    std::vector<LanguageItem> languages;
    /// Index into languages of the chosen one.
    int selected = 0;
};

/// The settings page for these preference values, in `language`.
[[nodiscard]] SettingsPageView settingsPageView(
    bool showPercent, bool notify, bool launchAtLogin, LanguageChoice choice, Language language);

} // namespace wattlet
