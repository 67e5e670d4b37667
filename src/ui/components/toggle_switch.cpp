#include "toggle_switch.h"

#include "ui/drawing/mirror.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace wattlet {

namespace {

    constexpr int trackWidth = 32;
    constexpr int trackHeight = 18;
    constexpr qreal knobInset = 1.5;

} // namespace

ToggleSwitch::ToggleSwitch(QWidget* parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const { return { trackWidth, trackHeight }; }

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // With the focus the track draws smaller, so the ring around it stays apart from it.
    const qreal inset = hasFocus() ? 3 : 0;
    const QRectF track
        = QRectF(0, 0, trackWidth, trackHeight).adjusted(inset, inset, -inset, -inset);
    const qreal radius = track.height() / 2.0;

    const Scheme scheme = Scheme::of(this);
    const QColor off = scheme.primaryAt(scheme.isDark() ? 20 : 14);
    p.setPen(Qt::NoPen);
    p.setBrush(isChecked() ? palette().color(QPalette::Highlight) : off);
    p.drawRoundedRect(track, radius, radius);

    const qreal knob = track.height() - 2 * knobInset;
    const qreal x = isChecked() ? track.right() - knobInset - knob : track.left() + knobInset;
    const QRectF knobRect
        = Mirror(trackWidth, layoutDirection())(QRectF(x, track.top() + knobInset, knob, knob));
    // A soft edge keeps the white knob visible on a light track.
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(knobRect.adjusted(-0.5, -0.25, 0.5, 0.75));
    p.setBrush(isEnabled() ? QColor(Qt::white) : QColor(235, 235, 235));
    p.drawEllipse(knobRect);
    if (hasFocus())
        Style::paintFocusRing(p, rect(), trackHeight / 2.0);
}

void ToggleSwitch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        click();
    else
        QAbstractButton::keyPressEvent(event);
}

} // namespace wattlet
