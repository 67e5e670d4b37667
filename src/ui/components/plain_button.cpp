#include "plain_button.h"

#include "ui/drawing/continuous_corners.h"
#include "ui/theme/palette.h"
#include "ui/theme/style.h"

#include <QFocusEvent>
#include <QPainter>

namespace wattlet {

PlainButton::PlainButton(std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent)
    , m_action(std::move(action))
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        // A copy keeps the callable alive even if it destroys this button while running.
        const std::function<void()> run = m_action;
        if (run)
            run();
    });
}

qreal PlainButton::labelOpacity() const { return isDown() ? 0.55 : 1.0; }

void PlainButton::paintFocusRing(QPainter& painter, const QRectF& rect, qreal radius) const
{
    if (!m_keyboardFocus || !hasFocus())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Style::withOpacity(Palette::blue(), 80), 2);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(rect.adjusted(1, 1, -1, -1), radius));
    painter.restore();
}

void PlainButton::focusInEvent(QFocusEvent* event)
{
    m_keyboardFocus
        = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void PlainButton::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
}

} // namespace wattlet
