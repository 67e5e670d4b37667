#include "mirror.h"

#include <QPainter>
#include <QStyle>
#include <QWidget>

namespace wattlet {

Mirror::Mirror(const QWidget& widget)
    : Mirror(widget.width(), widget.layoutDirection())
{ }

Mirror::Mirror(qreal width, Qt::LayoutDirection direction)
    : m_width(width)
    , m_flips(direction == Qt::RightToLeft)
{ }

Qt::LayoutDirection Mirror::direction() const
{
    return m_flips ? Qt::RightToLeft : Qt::LeftToRight;
}

QRectF Mirror::operator()(const QRectF& logical) const
{
    if (!m_flips)
        return logical;
    return { m_width - logical.right(), logical.top(), logical.width(), logical.height() };
}

QRect Mirror::operator()(const QRect& logical) const
{
    // Integer rectangles end one pixel before left + width, as QStyle::visualRect counts.
    if (!m_flips)
        return logical;
    return { static_cast<int>(m_width) - logical.left() - logical.width(), logical.top(),
        logical.width(), logical.height() };
}

Qt::Alignment Mirror::operator()(Qt::Alignment logical) const
{
    return QStyle::visualAlignment(direction(), logical) | Qt::AlignAbsolute;
}

void Mirror::flip(QPainter& painter) const
{
    if (!m_flips)
        return;
    painter.translate(m_width, 0);
    painter.scale(-1, 1);
}

} // namespace wattlet
