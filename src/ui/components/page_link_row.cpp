#include "page_link_row.h"

#include "ui/drawing/mirror.h"
#include "ui/drawing/symbols.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    // As tall as a row with a switch, so the rows keep their rhythm.
    constexpr qreal rowHeight = 18;
    constexpr qreal chevronSize = 11;

    QFont rowFont() { return Style::font(13); }
    QSizeF chevron() { return Symbols::size("chevron.left", chevronSize); }

} // namespace

PageLinkRow::PageLinkRow(
    const QString& label, QString value, std::function<void()> open, QWidget* parent)
    : PlainButton(std::move(open), parent)
    , m_value(std::move(value))
{
    setText(label);
    setAccessibleName(label);
    setAccessibleDescription(m_value);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PageLinkRow::sizeHint() const
{
    const QFont font = rowFont();
    const qreal width = TextBlock::naturalWidth(text(), font) + Style::defaultSpacing
        + TextBlock::naturalWidth(m_value, font) + Style::labelSpacing + chevron().width();
    const qreal height = std::max(rowHeight, TextBlock::lineHeight(font));
    return { static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)) };
}

QSize PageLinkRow::minimumSizeHint() const { return { 120, sizeHint().height() }; }

void PageLinkRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    const QFont font = rowFont();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());

    // The back chevron turned around: the row leads forward, to the left in a right-to-left
    // panel.
    const Mirror mirror(*this);
    const QSizeF box = chevron();
    const QRectF chevronRect(
        width() - box.width(), (height() - box.height()) / 2, box.width(), box.height());
    Symbols::paint(painter, mirror(chevronRect), "chevron.left", scheme.secondary(),
        Symbols::Weight::regular, !mirror.flips());

    const qreal valueRight = chevronRect.left() - Style::labelSpacing;
    const qreal valueWidth = std::min(TextBlock::naturalWidth(m_value, font), valueRight / 2);
    painter.setPen(scheme.secondary());
    drawLine(painter, fitLine(m_value, font, valueWidth), mirror,
        QRectF(valueRight - valueWidth, 0, valueWidth, height()), Qt::AlignRight);

    const qreal labelWidth = std::max<qreal>(0.0, valueRight - valueWidth - Style::defaultSpacing);
    painter.setPen(scheme.primary());
    drawLine(painter, fitLine(text(), font, labelWidth), mirror, QRectF(0, 0, labelWidth, height()),
        Qt::AlignLeft);
    painter.setOpacity(1.0);
    paintFocusRing(painter, rect(), 4);
}

} // namespace wattlet
