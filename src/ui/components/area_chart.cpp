#include "area_chart.h"

#include "ui/drawing/mirror.h"
#include "ui/theme/style.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

AreaChart::AreaChart(std::vector<double> values, QColor tint, QWidget* parent)
    : QWidget(parent)
    , m_values(std::move(values))
    , m_tint(tint)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize AreaChart::sizeHint() const { return { Style::contentWidth, 56 }; }

std::vector<QPointF> AreaChart::points(const std::vector<double>& values, QSizeF size)
{
    std::vector<QPointF> result;
    result.reserve(values.size());
    const qreal span = values.size() > 1 ? static_cast<qreal>(values.size() - 1) : 1.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double v = std::isnan(values[i]) ? 0.0 : std::clamp(values[i], 0.0, 100.0);
        result.emplace_back(
            size.width() * static_cast<qreal>(i) / span, size.height() * (1.0 - v / 100.0));
    }
    return result;
}

QPainterPath AreaChart::area(const std::vector<QPointF>& points, qreal bottom)
{
    QPainterPath path;
    if (points.empty())
        return path;
    path.moveTo(points.front().x(), bottom);
    for (const QPointF& p : points)
        path.lineTo(p);
    path.lineTo(points.back().x(), bottom);
    path.closeSubpath();
    return path;
}

QPainterPath AreaChart::line(const std::vector<QPointF>& points)
{
    QPainterPath path;
    if (points.empty())
        return path;
    path.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    return path;
}

void AreaChart::paintEvent(QPaintEvent*)
{
    const std::vector<QPointF> pts = points(m_values, size());
    if (pts.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Time runs the reading direction: now is at the left edge of a right-to-left panel.
    Mirror(*this).flip(painter);
    QLinearGradient fade(0, 0, 0, height());
    fade.setColorAt(0, Style::withOpacity(m_tint, 35));
    fade.setColorAt(1, Style::withOpacity(m_tint, 2));
    painter.fillPath(area(pts, height()), fade);
    QPen pen(m_tint, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setMiterLimit(10);
    painter.strokePath(line(pts), pen);
}

} // namespace wattlet
