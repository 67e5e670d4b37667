#include "stepper.h"

#include "ui/drawing/mirror.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace wattlet {

namespace {

    constexpr int controlHeight = Style::controlHeight;
    constexpr qreal radius = Style::controlRadius;
    constexpr int buttonWidth = 28;
    constexpr int valuePadding = 8;
    constexpr qreal signWidth = 9;
    constexpr qreal signStroke = 1.6;

} // namespace

Stepper::Stepper(QString value, bool canDecrease, bool canIncrease, QWidget* parent)
    : QWidget(parent)
    , m_value(std::move(value))
    , m_canDecrease(canDecrease)
    , m_canIncrease(canIncrease)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize Stepper::sizeHint() const
{
    // Room for the widest value, so the steppers of a page line up.
    const int value = fontMetrics().horizontalAdvance(QStringLiteral("00 %"));
    return { 2 * buttonWidth + value + 2 * valuePadding, controlHeight };
}

QRect Stepper::decreaseRect() const { return Mirror(*this)(QRect(0, 0, buttonWidth, height())); }

QRect Stepper::increaseRect() const
{
    return Mirror(*this)(QRect(width() - buttonWidth, 0, buttonWidth, height()));
}

void Stepper::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Scheme scheme = Scheme::of(this);
    QColor track = scheme.primary();
    track.setAlphaF(0.08f);
    p.setPen(Qt::NoPen);
    p.setBrush(track);
    p.drawRoundedRect(QRectF(rect()), radius, radius);
    QColor divider = scheme.primary();
    divider.setAlphaF(0.15f);
    for (const int x : { buttonWidth, width() - buttonWidth })
        p.fillRect(QRectF(x - 0.5, 5, 1, height() - 10), divider);

    paintSign(p, decreaseRect(), false, m_canDecrease);
    paintSign(p, increaseRect(), true, m_canIncrease);
    p.setPen(scheme.primary());
    // From the minus button's last column to the plus button's first.
    const QRectF value(buttonWidth - 1, 0, width() - 2 * buttonWidth + 1, height());
    drawLine(p, fitLine(m_value, font(), value.width()), Mirror(*this), value, Qt::AlignHCenter);
    if (hasFocus())
        Style::paintFocusRing(p, rect(), radius);
}

void Stepper::paintSign(QPainter& p, const QRect& button, bool plus, bool enabled) const
{
    QColor ink = Scheme::of(this).primary();
    // Dimmed like a disabled control: it cannot step that way.
    if (!enabled)
        ink.setAlphaF(0.25f);
    const QPointF c = QRectF(button).center();
    p.fillRect(QRectF(c.x() - signWidth / 2, c.y() - signStroke / 2, signWidth, signStroke), ink);
    if (plus)
        p.fillRect(
            QRectF(c.x() - signStroke / 2, c.y() - signWidth / 2, signStroke, signWidth), ink);
}

AccessibleFace Stepper::accessibleFace() const
{
    AccessibleFace face;
    face.role = QAccessible::SpinBox;
    face.number = m_number;
    return face;
}

void Stepper::accessibleAction(const QString& action, int)
{
    step(action == QAccessibleActionInterface::increaseAction());
}

void Stepper::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (decreaseRect().contains(at))
        step(false);
    else if (increaseRect().contains(at))
        step(true);
}

void Stepper::keyPressEvent(QKeyEvent* event)
{
    // Left and right step towards the button on that side, as a slider's arrows do.
    const bool flips = isRightToLeft();
    switch (event->key()) {
    case Qt::Key_Down:
        step(false);
        break;
    case Qt::Key_Up:
        step(true);
        break;
    case Qt::Key_Left:
        step(flips);
        break;
    case Qt::Key_Right:
        step(!flips);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Stepper::step(bool up)
{
    if (up && m_canIncrease)
        Q_EMIT increased();
    else if (!up && m_canDecrease)
        Q_EMIT decreased();
}

} // namespace wattlet
