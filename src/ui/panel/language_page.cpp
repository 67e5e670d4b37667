#include "language_page.h"

#include "page_layout.h"

#include "app/prefs.h"
#include "app/present/settings_page_view.h"
#include "core/battery_text.h"
#include "ui/components/choice_row.h"
#include "ui/components/sub_header.h"
#include "ui/drawing/qt_text.h"

#include <QVBoxLayout>

namespace wattlet {

LanguagePage::LanguagePage(Prefs& prefs, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    const SettingsPageView view = settingsPageView(prefs.showPercent(), prefs.notify(),
        prefs.launchAtLogin(), prefs.language(), prefs.textLanguage());
    QVBoxLayout* column = pageLayout(this, 4);
    column->addWidget(new SubHeader(qText(view.languageLabel),
        qText(BatteryText::t("back", prefs.textLanguage())), std::move(back)));
    column->addSpacing(10);
    for (std::size_t index = 0; index < view.languages.size(); ++index) {
        const SettingsPageView::LanguageItem& item = view.languages[index];
        auto* row = new ChoiceRow(qText(item.label), static_cast<int>(index) == view.selected,
            [&prefs, choice = item.choice] { prefs.setLanguage(choice); });
        row->setObjectName(
            QStringLiteral("language.") + QString::fromStdString(rawValue(item.choice)));
        column->addWidget(row);
    }
}

} // namespace wattlet
