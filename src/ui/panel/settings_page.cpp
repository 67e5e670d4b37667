#include "settings_page.h"

#include "page_layout.h"
#include "power_profile_section.h"
#include "settings_rows.h"

#include "app/app_model.h"
#include "app/present/charge_limit_page_view.h"
#include "app/present/power_profile_view.h"
#include "app/present/settings_page_view.h"
#include "core/battery_text.h"
#include "ui/components/page_link_row.h"
#include "ui/components/sub_header.h"
#include "ui/components/toggle_switch.h"
#include "ui/drawing/qt_text.h"

#include <QVBoxLayout>

namespace wattlet {

namespace {

    QWidget* pageLink(const std::string& label, const std::string& value, const QString& name,
        std::function<void()> open)
    {
        auto* row = new PageLinkRow(qText(label), qText(value), std::move(open));
        row->setObjectName(name);
        return row;
    }

    // The switches and the rows that open the notifications and the charge limit; each switch
    // writes its preference at once.
    void addRows(QVBoxLayout* column, const SettingsPageView& view, const ChargeLimitRow& limit,
        Prefs& prefs, std::function<void()> openNotifications,
        std::function<void()> openChargeLimit)
    {
        column->addWidget(new SwitchRow(view.percent, QStringLiteral("percent"),
            [&prefs](bool on) { prefs.setShowPercent(on); }));
        column->addWidget(pageLink(view.notifications.label, view.notifications.value,
            QStringLiteral("notifications"), std::move(openNotifications)));
        column->addWidget(pageLink(
            limit.label, limit.value, QStringLiteral("chargeLimit"), std::move(openChargeLimit)));

        auto* login = new SwitchRow(view.login, QStringLiteral("login"), {});
        ToggleSwitch* loginSwitch = login->toggle();
        QObject::connect(
            loginSwitch, &ToggleSwitch::clicked, login, [&prefs, loginSwitch](bool on) {
                prefs.setLaunchAtLogin(on);
                // The autostart entry decides, not the click: a failed registration shows off.
                loginSwitch->setChecked(prefs.launchAtLogin());
            });
        column->addWidget(login);
    }

} // namespace

SettingsPage::SettingsPage(AppModel& model, std::function<void()> back,
    std::function<void()> openNotifications, std::function<void()> openChargeLimit,
    std::function<void()> openLanguage, QWidget* parent)
    : QWidget(parent)
{
    Prefs& prefs = model.prefs();
    const SettingsPageView view = settingsPageView(prefs.showPercent(), prefs.notify(),
        prefs.launchAtLogin(), prefs.language(), prefs.textLanguage());
    QVBoxLayout* column = pageLayout(this, 14);
    column->addWidget(new SubHeader(qText(view.title), qText(view.back), std::move(back)));
    addRows(column, view, chargeLimitRow(model.chargeLimit().state(), prefs.textLanguage()), prefs,
        std::move(openNotifications), std::move(openChargeLimit));
    const auto chosen = static_cast<std::size_t>(view.selected);
    column->addWidget(pageLink(view.languageLabel,
        chosen < view.languages.size() ? view.languages[chosen].label : std::string(),
        QStringLiteral("language"), std::move(openLanguage)));
    // What the power mode does when the charger comes or goes, where the daemon runs.
    const PowerProfiles* profiles = model.powerProfiles();
    if (const auto mode = powerProfileView(profiles ? profiles->state() : std::nullopt,
            prefs.textLanguage(), prefs.plugProfile(false), prefs.plugProfile(true))) {
        QVBoxLayout* group
            = captionedGroup(qText(BatteryText::t("profile.title", prefs.textLanguage())));
        group->addLayout(plugChoices(*mode, [&prefs](bool onPower, const std::string& profile) {
            prefs.setPlugProfile(onPower, profile);
        }));
        column->addLayout(group);
    }
}

} // namespace wattlet
