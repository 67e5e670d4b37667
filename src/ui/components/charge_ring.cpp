#include "charge_ring.h"

#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace wattlet {

ChargeRing::ChargeRing(std::int64_t percent, QColor tone, QWidget* parent)
    : QWidget(parent)
    , m_percent(percent)
    , m_tone(tone)
    , m_number(QString::number(percent))
    , m_sign(QStringLiteral("%"))
{
    setFixedSize(side, side);
}

void ChargeRing::setNumberText(QString number, QString sign)
{
    m_number = std::move(number);
    m_sign = std::move(sign);
    update();
}

AccessibleFace ChargeRing::accessibleFace() const
{
    AccessibleFace face;
    face.role = QAccessible::ProgressBar;
    face.number = AccessibleFace::Number { static_cast<double>(m_percent), 0, 100 };
    return face;
}

void ChargeRing::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle(overhang, overhang, diameter, diameter);

    painter.setPen(QPen(Style::withOpacity(m_tone, 18), lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle);

    const std::int64_t drawn = std::clamp<std::int64_t>(m_percent, 0, 100);
    if (drawn > 0) {
        painter.setPen(QPen(m_tone, lineWidth, Qt::SolidLine, Qt::RoundCap));
        // Qt counts sixteenths of a degree counter-clockwise from 3 o'clock: start at 12 and
        // run clockwise.
        const int span = -static_cast<int>(drawn * 360 * 16 / 100);
        if (drawn == 100)
            painter.drawEllipse(circle);
        else
            painter.drawArc(circle, 90 * 16, span);
    }

    const QFont number = Style::font(30, Style::TextWeight::bold, true);
    const QFont sign = Style::font(11, Style::TextWeight::semibold);
    const QFontMetricsF numberMetrics(number);
    const QFontMetricsF signMetrics(sign);
    const qreal top = circle.center().y() - (numberMetrics.height() + signMetrics.height()) / 2;
    const QString& digits = m_number;
    painter.setFont(number);
    painter.setPen(scheme.primary());
    painter.drawText(QPointF(circle.center().x() - numberMetrics.horizontalAdvance(digits) / 2,
                         top + numberMetrics.ascent()),
        digits);
    const QString& percentSign = m_sign;
    painter.setFont(sign);
    painter.setPen(scheme.secondary());
    painter.drawText(QPointF(circle.center().x() - signMetrics.horizontalAdvance(percentSign) / 2,
                         top + numberMetrics.height() + signMetrics.ascent()),
        percentSign);
}

} // namespace wattlet
