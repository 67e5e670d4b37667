#include "choice_row.h"

#include "ui/drawing/mirror.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/palette.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr qreal rowHeight = 22;
    constexpr qreal checkWidth = 12;

    QFont rowFont() { return Style::font(13); }

} // namespace

ChoiceRow::ChoiceRow(
    const QString& label, bool chosen, std::function<void()> choose, QWidget* parent)
    : PlainButton(std::move(choose), parent)
{
    setText(label);
    setAccessibleName(label);
    setCheckable(true);
    setChecked(chosen);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize ChoiceRow::sizeHint() const
{
    const QFont font = rowFont();
    const qreal width = TextBlock::naturalWidth(text(), font) + Style::defaultSpacing + checkWidth;
    const qreal height = std::max(rowHeight, TextBlock::lineHeight(font));
    return { static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)) };
}

QSize ChoiceRow::minimumSizeHint() const { return { 120, sizeHint().height() }; }

void ChoiceRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    const QFont font = rowFont();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());

    // The mark sits at the trailing edge: the left in a right-to-left panel.
    const Mirror mirror(*this);
    if (isChecked()) {
        // Only its place turns around: a check mark is not mirrored.
        const qreal markLeft = mirror(QRectF(width() - checkWidth, 0, checkWidth, height())).left();
        const qreal middle = height() / 2;
        QPainterPath mark;
        mark.moveTo(markLeft + 1, middle);
        mark.lineTo(markLeft + checkWidth * 0.4, middle + 4);
        mark.lineTo(markLeft + checkWidth - 1, middle - 5);
        painter.setPen(QPen(Palette::malachite(), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(mark);
    }

    const qreal labelWidth = std::max<qreal>(0.0, width() - checkWidth - Style::defaultSpacing);
    painter.setPen(scheme.primary());
    drawLine(painter, fitLine(text(), font, labelWidth), mirror, QRectF(0, 0, labelWidth, height()),
        Qt::AlignLeft);
    painter.setOpacity(1.0);
    paintFocusRing(painter, rect(), 4);
}

} // namespace wattlet
