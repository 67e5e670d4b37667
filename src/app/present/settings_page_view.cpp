#include "settings_page_view.h"

#include "core/battery_text.h"

namespace wattlet {

namespace {

    int segmentOf(LanguageChoice language)
    {
        switch (language) {
        case LanguageChoice::autoLanguage:
            return 0;
        case LanguageChoice::en:
            return 1;
        case LanguageChoice::ru:
            return 2;
        }
        return 0;
    }

} // namespace

SettingsPageView settingsPageView(
    bool showPercent, bool notify, bool launchAtLogin, LanguageChoice language)
{
    using BatteryText::t;
    SettingsPageView view;
    view.title = t("settings");
    view.back = t("back");
    view.percent = { t("set.percent"), showPercent };
    view.notify = { t("set.notify"), notify };
    view.login = { t("set.login"), launchAtLogin };
    view.languageLabel = t("set.lang");
    view.segments = { t("lang.auto"), "English", "Русский" };
    view.selected = segmentOf(language);
    return view;
}

LanguageChoice languageOfSegment(int index)
{
    switch (index) {
    case 1:
        return LanguageChoice::en;
    case 2:
        return LanguageChoice::ru;
    default:
        return LanguageChoice::autoLanguage;
    }
}

} // namespace wattlet
