#pragma once

#include <QRectF>

class QPainter;
class QWidget;

namespace wattlet {

/// Places geometry worked out from the leading edge (the left in a left-to-right panel) for the
/// widget's layout direction: under right-to-left every rectangle and alignment is measured
/// from the right edge instead, as Qt's layouts do. Custom painting computes positions as if the
/// panel read left to right and passes them through here.
class Mirror
{
public:
    explicit Mirror(const QWidget& widget);
    Mirror(qreal width, Qt::LayoutDirection direction);

    [[nodiscard]] bool flips() const { return m_flips; }
    [[nodiscard]] Qt::LayoutDirection direction() const;

    [[nodiscard]] QRectF operator()(const QRectF& logical) const;
    [[nodiscard]] QRect operator()(const QRect& logical) const;
    /// Left and right swapped when flipping, marked absolute so Qt does not swap them again.
    [[nodiscard]] Qt::Alignment operator()(Qt::Alignment logical) const;

    /// Mirrors everything `painter` draws from now on, for drawings without text (a chart, an
    /// arrow that points along the reading direction).
    void flip(QPainter& painter) const;

private:
    qreal m_width;
    bool m_flips;
};

} // namespace wattlet
