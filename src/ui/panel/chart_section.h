#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

class QLayout;

namespace wattlet {

/// What a page's chart section shows: a header (the title on the left, an optional aside on the
/// right), then either the empty text at the chart's height or the area chart with its axis
/// labels spread from the left edge to the right edge under it.
struct ChartSection
{
    QString title;
    QString aside;
    /// What the chart is read out as; empty: the title and the aside.
    QString description;
    bool empty = true;
    QString emptyText;
    std::vector<double> values;
    QColor tint;
    QStringList axis;
    int height = 0;
};

/// The layout of `section`.
[[nodiscard]] QLayout* chartSection(const ChartSection& section);

} // namespace wattlet
