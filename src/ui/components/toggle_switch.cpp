#include "toggle_switch.h"

#include "ui/drawing/mirror.h"
#include "ui/theme/scheme.h"

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
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const { return { trackWidth, trackHeight }; }

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(0, 0, trackWidth, trackHeight);
    const qreal radius = trackHeight / 2.0;

    const Scheme scheme = Scheme::of(this);
    const QColor off = scheme.primaryAt(scheme.isDark() ? 20 : 14);
    p.setPen(Qt::NoPen);
    p.setBrush(isChecked() ? palette().color(QPalette::Highlight) : off);
    p.drawRoundedRect(track, radius, radius);

    const qreal knob = trackHeight - 2 * knobInset;
    const qreal x = isChecked() ? trackWidth - knobInset - knob : knobInset;
    const QRectF knobRect = Mirror(trackWidth, layoutDirection())(QRectF(x, knobInset, knob, knob));
    // A soft edge keeps the white knob visible on a light track.
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(knobRect.adjusted(-0.5, -0.25, 0.5, 0.75));
    p.setBrush(isEnabled() ? QColor(Qt::white) : QColor(235, 235, 235));
    p.drawEllipse(knobRect);
}

} // namespace wattlet
