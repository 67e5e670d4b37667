#include "plain_button.h"

#include "ui/theme/style.h"

#include <QFocusEvent>
#include <QKeyEvent>

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
    if (m_keyboardFocus && hasFocus())
        Style::paintFocusRing(painter, rect, radius);
}

void PlainButton::focusInEvent(QFocusEvent* event)
{
    // Focus the panel moves (a page opened, a rebuild) came from the keyboard too.
    m_keyboardFocus = event->reason() != Qt::MouseFocusReason
        && event->reason() != Qt::PopupFocusReason
        && event->reason() != Qt::ActiveWindowFocusReason;
    QAbstractButton::focusInEvent(event);
}

void PlainButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        click();
    else
        QAbstractButton::keyPressEvent(event);
}

void PlainButton::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
}

} // namespace wattlet
