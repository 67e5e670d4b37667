#include "charge_limit_page.h"

#include "page_layout.h"
#include "settings_rows.h"

#include "app/app_model.h"
#include "app/present/charge_limit_page_view.h"
#include "ui/components/pill_button.h"
#include "ui/components/segmented_control.h"
#include "ui/components/sub_header.h"
#include "ui/components/text_label.h"
#include "ui/components/warning_row.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/palette.h"
#include "ui/theme/style.h"

#include <QVBoxLayout>

namespace wattlet {

namespace {

    using View = ChargeLimitPageView;

    TextLabel* paragraph(const std::string& text, qreal size, LabelColor color)
    {
        auto* label = new TextLabel(qText(text), Style::font(size), color);
        label->setWraps(true);
        return label;
    }

    QWidget* choice(const View& view, ChargeLimitModel& limit)
    {
        QStringList segments;
        for (const View::Choice& item : view.choices)
            segments.push_back(qText(item.label));
        SegmentedControl* control = choiceControl(segments, view.selected, QStringLiteral("limit"),
            qText(view.title), [&limit, choices = view.choices](int index) {
                const View::Choice& chosen = choices.at(static_cast<std::size_t>(index));
                limit.setDraft(chosen.request ? std::nullopt : std::optional(chosen.draft));
                if (chosen.request)
                    limit.apply(*chosen.request);
            });
        control->setEnabled(view.enabled);
        return control;
    }

    QLayout* custom(const View& view, ChargeLimitModel& limit)
    {
        auto* column = new QVBoxLayout;
        column->setSpacing(8);
        const auto draftAction
            = [&limit](const std::optional<ChargeLimitRequest>& request) -> std::function<void()> {
            if (!request)
                return {};
            return [&limit, request] { limit.setDraft(request); };
        };
        for (std::size_t i = 0; i < view.steppers.size(); ++i) {
            const View::Stepper& item = view.steppers[i];
            QWidget* row = stepperRow(qText(item.label), qText(item.value),
                { static_cast<double>(item.percent), static_cast<double>(item.least),
                    static_cast<double>(item.most) },
                i + 1 == view.steppers.size() ? QStringLiteral("end") : QStringLiteral("start"),
                draftAction(item.down), draftAction(item.up));
            row->setEnabled(view.enabled);
            column->addWidget(row);
        }
        auto* apply
            = new PillButton(QString(), qText(view.applyTitle), [&limit, request = view.apply] {
                  if (request)
                      limit.apply(*request);
              });
        apply->setObjectName(QStringLiteral("apply"));
        apply->setEnabled(view.enabled && view.apply.has_value());
        column->addWidget(apply);
        return column;
    }

    QWidget* toggle(const View& view, ChargeLimitModel& limit)
    {
        auto* row = new SwitchRow({ view.toggleLabel, view.toggleOn },
            QStringLiteral("limitSwitch"), [&limit, on = view.toggleOnRequest](bool checked) {
                limit.apply(checked ? on : ChargeLimitRequest {});
            });
        row->setEnabled(view.enabled);
        return row;
    }

} // namespace

ChargeLimitPage::ChargeLimitPage(AppModel& model, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    ChargeLimitModel& limit = model.chargeLimit();
    const View view = chargeLimitPageView(limit, model.prefs().textLanguage());
    QVBoxLayout* column = pageLayout(this, 12);
    column->addWidget(new SubHeader(qText(view.title), qText(view.back), std::move(back)));
    column->addWidget(paragraph(view.about, 12, LabelColor::secondary));
    if (!view.status.empty())
        column->addWidget(paragraph(view.status, 13, LabelColor::primary));
    switch (view.control) {
    case View::Control::choice:
        column->addWidget(choice(view, limit));
        if (!view.steppers.empty())
            column->addLayout(custom(view, limit));
        break;
    case View::Control::toggle:
        column->addWidget(toggle(view, limit));
        break;
    case View::Control::none:
        break;
    }
    if (view.once) {
        auto* once = new PillButton(
            QStringLiteral("bolt.fill"), qText(*view.once), [&limit] { limit.lift(); });
        once->setObjectName(QStringLiteral("once"));
        once->setEnabled(view.enabled);
        column->addWidget(once);
    }
    if (!view.message.empty() && view.messageTone != "secondary")
        column->addWidget(new WarningRow(QStringLiteral("exclamationmark.triangle.fill"),
            qText(view.message), Palette::color(view.messageTone)));
    else if (!view.message.empty())
        column->addWidget(paragraph(view.message, 12, LabelColor::secondary));
    if (!view.note.empty())
        column->addWidget(paragraph(view.note, 12, LabelColor::secondary));
}

} // namespace wattlet
