#include "chart_section.h"

#include "ui/components/area_chart.h"
#include "ui/components/text_label.h"
#include "ui/theme/style.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace wattlet {

QLayout* chartSection(const ChartSection& section)
{
    using Style::TextWeight;
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    auto* header = new QHBoxLayout;
    header->setSpacing(Style::defaultSpacing);
    header->addWidget(
        new TextLabel(section.title, Style::font(11, TextWeight::semibold), LabelColor::secondary));
    header->addStretch(1);
    if (!section.aside.isEmpty())
        header->addWidget(new TextLabel(section.aside, Style::font(11), LabelColor::secondary));
    column->addLayout(header);

    if (section.empty) {
        auto* empty = new TextLabel(section.emptyText, Style::font(12), LabelColor::secondary);
        empty->setAlignment(Qt::AlignHCenter);
        empty->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        empty->setFixedHeight(section.height);
        column->addWidget(empty);
        return column;
    }
    auto* area = new AreaChart(section.values, section.tint);
    area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    area->setFixedHeight(section.height);
    area->setAccessibleName(section.description.isEmpty()
            ? section.title + QStringLiteral(", ") + section.aside
            : section.description);
    column->addWidget(area);
    auto* axis = new QHBoxLayout;
    axis->setSpacing(Style::defaultSpacing);
    for (qsizetype i = 0; i < section.axis.size(); ++i) {
        if (i > 0)
            axis->addStretch(1);
        axis->addWidget(new TextLabel(section.axis[i], Style::font(10), LabelColor::tertiary));
    }
    column->addLayout(axis);
    return column;
}

} // namespace wattlet
