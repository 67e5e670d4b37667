#include "health_page.h"

#include "page_layout.h"

#include "app/app_model.h"
#include "app/present/health_page_view.h"
#include "ui/components/area_chart.h"
#include "ui/components/detail_row.h"
#include "ui/components/sub_header.h"
#include "ui/components/text_label.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/palette.h"
#include "ui/theme/style.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace wattlet {

namespace {

    using Style::TextWeight;

    constexpr int chartHeight = 96;

    QLayout* chart(const HealthPageView& view)
    {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        auto* header = new QHBoxLayout;
        header->setSpacing(Style::defaultSpacing);
        header->addWidget(new TextLabel(
            qText(view.chartTitle), Style::font(11, TextWeight::semibold), LabelColor::secondary));
        header->addStretch(1);
        if (!view.range.empty())
            header->addWidget(
                new TextLabel(qText(view.range), Style::font(11), LabelColor::secondary));
        column->addLayout(header);

        if (view.empty) {
            auto* empty
                = new TextLabel(qText(view.emptyText), Style::font(12), LabelColor::secondary);
            empty->setAlignment(Qt::AlignHCenter);
            empty->setWraps(true);
            empty->setMinimumHeight(chartHeight);
            column->addWidget(empty);
            return column;
        }
        auto* area = new AreaChart(view.values, Palette::color(view.tint));
        area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        area->setFixedHeight(chartHeight);
        column->addWidget(area);
        auto* axis = new QHBoxLayout;
        axis->setSpacing(Style::defaultSpacing);
        for (std::size_t i = 0; i < view.axis.size(); ++i) {
            if (i > 0)
                axis->addStretch(1);
            axis->addWidget(
                new TextLabel(qText(view.axis[i]), Style::font(10), LabelColor::tertiary));
        }
        column->addLayout(axis);
        return column;
    }

} // namespace

HealthPage::HealthPage(const AppModel& model, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    const HealthPageView view = healthPageView(model.healthLog(), model.reading());
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
