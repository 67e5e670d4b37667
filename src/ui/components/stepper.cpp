#include "stepper.h"

#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace wattlet {

namespace {

    constexpr int controlHeight = 22;
    constexpr int buttonWidth = 34;
    constexpr int valueWidth = 52;
    constexpr qreal radius = 6;
    constexpr qreal signLength = 8;

    QFont rowFont() { return Style::font(13); }

    void paintSign(QPainter& p, const QRect& button, bool plus, QColor ink, bool active)
    {
        if (!active)
            ink.setAlphaF(0.25f);
        const QPointF centre = QRectF(button).center();
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre - QPointF(signLength / 2, 0), centre + QPointF(signLength / 2, 0));
        if (plus)
            p.drawLine(centre - QPointF(0, signLength / 2), centre + QPointF(0, signLength / 2));
    }

} // namespace

Stepper::Stepper(QString label, QString value, std::function<void()> down, std::function<void()> up,
    QWidget* parent)
    : QWidget(parent)
    , m_label(std::move(label))
    , m_value(std::move(value))
    , m_down(std::move(down))
    , m_up(std::move(up))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(m_label);
    setAccessibleDescription(m_value);
}

QSize Stepper::sizeHint() const
{
    const qreal label = TextBlock::naturalWidth(m_label, rowFont());
    return { static_cast<int>(std::ceil(label)) + Style::defaultSpacing + 2 * buttonWidth
            + valueWidth,
        controlHeight };
}

QSize Stepper::minimumSizeHint() const
{
    return { 2 * buttonWidth + valueWidth + 60, controlHeight };
}

QRect Stepper::trackRect() const
{
    const int width = 2 * buttonWidth + valueWidth;
    return { this->width() - width, (height() - controlHeight) / 2, width, controlHeight };
}

QRect Stepper::downRect() const
{
    const QRect track = trackRect();
    return { track.left(), track.top(), buttonWidth, track.height() };
}

QRect Stepper::upRect() const
{
    const QRect track = trackRect();
    return { track.right() + 1 - buttonWidth, track.top(), buttonWidth, track.height() };
}

void Stepper::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    const QColor ink = scheme.primary();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const QFont font = rowFont();
    const QRect track = trackRect();
    const FittedLine label
        = fitLine(m_label, font, std::max(0, track.left() - Style::defaultSpacing));
    p.setFont(label.font);
    p.setPen(ink);
    p.drawText(QRect(0, 0, track.left(), height()), Qt::AlignLeft | Qt::AlignVCenter, label.text);

    QColor fill = ink;
    fill.setAlphaF(0.08f);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(track), radius, radius);
    QColor divider = ink;
    divider.setAlphaF(0.15f);
    p.fillRect(QRectF(downRect().right() + 0.5, track.top() + 5, 1, track.height() - 10), divider);
    p.fillRect(QRectF(upRect().left() - 0.5, track.top() + 5, 1, track.height() - 10), divider);

    paintSign(p, downRect(), false, ink, static_cast<bool>(m_down));
    paintSign(p, upRect(), true, ink, static_cast<bool>(m_up));
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRect(downRect().right() + 1, track.top(), valueWidth, track.height()),
        Qt::AlignCenter, m_value);
    if (hasFocus())
        Style::paintFocusRing(p, track, radius);
}

void Stepper::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    // The action may rebuild the page and this widget with it.
    if (downRect().contains(at) && m_down)
        QMetaObject::invokeMethod(this, m_down, Qt::QueuedConnection);
    else if (upRect().contains(at) && m_up)
        QMetaObject::invokeMethod(this, m_up, Qt::QueuedConnection);
}

void Stepper::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Left || key == Qt::Key_Down) && m_down)
        QMetaObject::invokeMethod(this, m_down, Qt::QueuedConnection);
    else if ((key == Qt::Key_Right || key == Qt::Key_Up) && m_up)
        QMetaObject::invokeMethod(this, m_up, Qt::QueuedConnection);
    else
        QWidget::keyPressEvent(event);
}

} // namespace wattlet
