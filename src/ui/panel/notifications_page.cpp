#include "notifications_page.h"

#include "page_layout.h"
#include "settings_rows.h"

#include "app/app_model.h"
#include "app/present/notifications_page_view.h"
#include "ui/components/segmented_control.h"
#include "ui/components/sub_header.h"
#include "ui/components/text_label.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/style.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace wattlet {

namespace {

    // A level's row; a step stores the levels it leads to.
    QWidget* levelRow(const NotificationsPageView::Level& view, const QString& name, Prefs& prefs)
    {
        const auto store = [&prefs](const std::optional<WarningLevels>& levels) {
            return levels ? std::function<void()>([&prefs, levels] { prefs.setLevels(*levels); })
                          : std::function<void()>();
        };
        return stepperRow(qText(view.label), qText(view.value),
            { static_cast<double>(view.percent), static_cast<double>(view.least),
                static_cast<double>(view.most) },
            name, store(view.lower), store(view.higher));
    }

    QLayout* levels(const NotificationsPageView& view, Prefs& prefs)
    {
        QVBoxLayout* group = captionedGroup(qText(view.levelsLabel));
        group->addWidget(levelRow(view.low, QStringLiteral("lowPercent"), prefs));
        group->addWidget(levelRow(view.critical, QStringLiteral("criticalPercent"), prefs));
        group->addWidget(levelRow(view.deviceLow, QStringLiteral("deviceLowPercent"), prefs));
        return group;
    }

    QLayout* reminder(const NotificationsPageView& view, Prefs& prefs)
    {
        QVBoxLayout* group = captionedGroup(qText(view.reminderLabel));
        QStringList segments;
        for (const NotificationsPageView::Reminder& item : view.reminders)
            segments.push_back(qText(item.label));
        const auto choose = [&prefs, items = view.reminders](int index) {
            prefs.setFullReminderPercent(items.at(static_cast<std::size_t>(index)).percent);
        };
        SegmentedControl* control = choiceControl(segments, view.selected,
            QStringLiteral("fullReminder"), qText(view.reminderLabel), choose);
        control->setEnabled(view.reminderEnabled);
        group->addWidget(control);
        if (!view.reminderNote.empty()) {
            auto* note
                = new TextLabel(qText(view.reminderNote), Style::font(12), LabelColor::secondary);
            note->setWraps(true);
            group->addWidget(note);
        }
        return group;
    }

} // namespace

NotificationsPage::NotificationsPage(AppModel& model, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    Prefs& prefs = model.prefs();
    const auto& reading = model.reading();
    const NotificationsPageView view = notificationsPageView(prefs.notify(), prefs.sound(),
        prefs.levels(), prefs.fullReminderPercent(),
        reading ? reading->chargeLimitPercent : std::nullopt, prefs.textLanguage());
    QVBoxLayout* column = pageLayout(this, 14);
    column->addWidget(new SubHeader(qText(view.title), qText(view.back), std::move(back)));
    column->addWidget(new SwitchRow(
        view.notify, QStringLiteral("notify"), [&prefs](bool on) { prefs.setNotify(on); }));
    column->addWidget(new SwitchRow(
        view.sound, QStringLiteral("sound"), [&prefs](bool on) { prefs.setSound(on); }));
    column->addLayout(levels(view, prefs));
    column->addLayout(reminder(view, prefs));
}

} // namespace wattlet
