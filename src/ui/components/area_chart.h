#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QColor>
#include <QPainterPath>
#include <QWidget>

#include <vector>

namespace wattlet {

/// A filled line chart on a fixed 0–100 scale over the whole widget: the first value on the left
/// edge, the last on the right edge (the other way round in a right-to-left panel), 100 at the
/// top and 0 at the bottom. Values above 100 count
/// as 100; values below 0 and NaN count as 0. The area under the line fades from the tint at 35 %
/// at the top to 2 % at the bottom; the line is 2 points wide with round caps and joins.
class AreaChart : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    AreaChart(std::vector<double> values, QColor tint, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    /// A chart; its pages name it with a description a listener can use.
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::Chart, {}, {}, {}, {}, -1 };
    }

    /// The chart's points in a `size` area, in the order of the values.
    [[nodiscard]] static std::vector<QPointF> points(
        const std::vector<double>& values, QSizeF size);
    /// The closed area under the points, down to the bottom edge `bottom`; empty without points.
    [[nodiscard]] static QPainterPath area(const std::vector<QPointF>& points, qreal bottom);
    /// The open line through the points; empty without points.
    [[nodiscard]] static QPainterPath line(const std::vector<QPointF>& points);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_values;
    QColor m_tint;
};

} // namespace wattlet
