#include "settings_page_view.h"

#include "page_parts.h"

#include "core/battery_text.h"

#include <algorithm>

namespace wattlet {

SettingsPageView settingsPageView(
    bool showPercent, bool notify, bool launchAtLogin, LanguageChoice choice, Language language)
{
    const PageParts::Texts t { language };
    SettingsPageView view;
    view.title = t("settings");
    view.back = t("back");
    view.percent = { t("set.percent"), showPercent };
    view.notifications = { t("set.notifications"), t(notify ? "set.on" : "set.off") };
    view.login = { t("set.login"), launchAtLogin };
    view.languageLabel = t("set.lang");
    // Each language by its own name, so it can be found whatever the page's language.
    view.languages = { { t("lang.auto"), LanguageChoice::autoLanguage } };
    for (const Language each : BatteryText::languages())
        view.languages.push_back(
            { BatteryText::t("language.name", each), LanguageChoice { each } });
    const auto chosen = std::find_if(view.languages.begin(), view.languages.end(),
        [choice](const SettingsPageView::LanguageItem& item) { return item.choice == choice; });
    view.selected = static_cast<int>(chosen - view.languages.begin());
    return view;
}

} // namespace wattlet
