#include "settings_page.h"

#include "page_layout.h"

#include "app/app_model.h"
#include "app/present/charge_limit_page_view.h"
#include "app/present/settings_page_view.h"
#include "ui/components/navigation_row.h"
#include "ui/components/segmented_control.h"
#include "ui/components/sub_header.h"
#include "ui/components/text_label.h"
#include "ui/components/toggle_switch.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/style.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace wattlet {

namespace {

    QFont controlFont() { return Style::font(13); }

    // A label and its switch at the right edge; clicking the label flips the switch too.
    class SwitchRow : public QWidget
    {
    public:
        SwitchRow(const SettingsPageView::Toggle& view, const QString& name, QWidget* parent)
            : QWidget(parent)
            , m_switch(new ToggleSwitch(this))
        {
            auto* row = new QHBoxLayout(this);
            row->setContentsMargins(0, 0, 0, 0);
            row->setSpacing(Style::defaultSpacing);
            auto* label = new TextLabel(qText(view.label), controlFont());
            label->setWraps(true);
            row->addWidget(label, 1);
            row->addWidget(m_switch, 0, Qt::AlignVCenter);
            m_switch->setObjectName(name);
            m_switch->setChecked(view.on);
            m_switch->setAccessibleName(qText(view.label));
        }

        [[nodiscard]] ToggleSwitch* toggle() const { return m_switch; }

    protected:
        void mouseReleaseEvent(QMouseEvent* event) override
        {
            if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
                m_switch->click();
        }

    private:
        ToggleSwitch* m_switch;
    };

    // The three switches; each writes its preference at once.
    void addSwitches(QVBoxLayout* column, const SettingsPageView& view, Prefs& prefs)
    {
        auto* percent = new SwitchRow(view.percent, QStringLiteral("percent"), nullptr);
        QObject::connect(percent->toggle(), &ToggleSwitch::clicked, percent,
            [&prefs](bool on) { prefs.setShowPercent(on); });
        column->addWidget(percent);

        auto* notify = new SwitchRow(view.notify, QStringLiteral("notify"), nullptr);
        QObject::connect(notify->toggle(), &ToggleSwitch::clicked, notify,
            [&prefs](bool on) { prefs.setNotify(on); });
        column->addWidget(notify);

        auto* login = new SwitchRow(view.login, QStringLiteral("login"), nullptr);
        ToggleSwitch* loginSwitch = login->toggle();
        QObject::connect(
            loginSwitch, &ToggleSwitch::clicked, login, [&prefs, loginSwitch](bool on) {
                prefs.setLaunchAtLogin(on);
                // The autostart entry decides, not the click: a failed registration shows off.
                loginSwitch->setChecked(prefs.launchAtLogin());
            });
        column->addWidget(login);
    }

    // The language's label and its segmented control, one segment per item of the view.
    QLayout* languageChoice(const SettingsPageView& view, Prefs& prefs)
    {
        auto* language = new QVBoxLayout;
        language->setSpacing(6);
        language->addWidget(
            new TextLabel(qText(view.languageLabel), Style::font(12), LabelColor::secondary));
        QStringList segments;
        for (const SettingsPageView::LanguageItem& item : view.languages)
            segments.push_back(qText(item.label));
        auto* control = new SegmentedControl(segments, view.selected);
        control->setObjectName(QStringLiteral("language"));
        control->setFont(controlFont());
        control->setAccessibleName(qText(view.languageLabel));
        QObject::connect(control, &SegmentedControl::activated, control,
            [&prefs, items = view.languages](int index) {
                prefs.setLanguage(items.at(static_cast<std::size_t>(index)).choice);
            });
        language->addWidget(control);
        return language;
    }

} // namespace

SettingsPage::SettingsPage(AppModel& model, std::function<void()> back,
    std::function<void()> openChargeLimit, QWidget* parent)
    : QWidget(parent)
{
    Prefs& prefs = model.prefs();
    const SettingsPageView view = settingsPageView(prefs.showPercent(), prefs.notify(),
        prefs.launchAtLogin(), prefs.language(), prefs.textLanguage());
    QVBoxLayout* column = pageLayout(this, 14);
    column->addWidget(new SubHeader(qText(view.title), qText(view.back), std::move(back)));
    addSwitches(column, view, prefs);
    const ChargeLimitRow limit = chargeLimitRow(model.chargeLimit().state(), prefs.textLanguage());
    auto* limitRow
        = new NavigationRow(qText(limit.label), qText(limit.value), std::move(openChargeLimit));
    limitRow->setObjectName(QStringLiteral("chargeLimit"));
    column->addWidget(limitRow);
    column->addLayout(languageChoice(view, prefs));
}

} // namespace wattlet
