#include "health_page.h"

#include "chart_section.h"
#include "page_layout.h"

#include "app/app_model.h"
#include "app/present/health_page_view.h"
#include "ui/components/detail_row.h"
#include "ui/components/sub_header.h"
#include "ui/components/text_label.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/palette.h"
#include "ui/theme/style.h"

#include <QVBoxLayout>

namespace wattlet {

namespace {

    constexpr int chartHeight = 96;

    QLayout* chart(const HealthPageView& view)
    {
        ChartSection section;
        section.title = qText(view.chartTitle);
        section.aside = qText(view.range);
        section.empty = view.empty;
        section.emptyText = qText(view.emptyText);
        section.values = view.values;
        section.tint = Palette::color(view.tint);
        for (const std::string& label : view.axis)
            section.axis.push_back(qText(label));
        section.height = chartHeight;
        return chartSection(section);
    }

} // namespace

HealthPage::HealthPage(const AppModel& model, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    const HealthPageView view
        = healthPageView(model.healthLog(), model.reading(), model.prefs().textLanguage());
    QVBoxLayout* column = pageLayout(this, 14);
    column->addWidget(new SubHeader(qText(view.title), qText(view.back), std::move(back)));
    column->addLayout(chart(view));

    auto* rows = new QVBoxLayout;
    rows->setSpacing(7);
    for (const HealthPageView::Row& row : view.rows)
        rows->addWidget(new DetailRow(qText(row.k), qText(row.v)));
    column->addLayout(rows);
    if (view.note) {
        auto* note = new TextLabel(qText(*view.note), Style::font(12), LabelColor::secondary);
        note->setWraps(true);
        column->addWidget(note);
    }
}

} // namespace wattlet
