#include "navigation_row.h"

#include "ui/drawing/icon_label.h"
#include "ui/drawing/symbols.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr std::string_view chevron = "chevron.right";
    // As tall as the switch rows beside it.
    constexpr qreal rowHeight = 24;

    QFont rowFont() { return Style::font(13); }
    QSizeF chevronSize() { return Symbols::size(chevron, 10); }

} // namespace

NavigationRow::NavigationRow(
    const QString& label, QString value, std::function<void()> open, QWidget* parent)
    : PlainButton(std::move(open), parent)
    , m_value(std::move(value))
{
    setText(label);
    setAccessibleName(label);
    setAccessibleDescription(m_value);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize NavigationRow::sizeHint() const
{
    const QFont font = rowFont();
    const qreal content = TextBlock::naturalWidth(text(), font) + Style::defaultSpacing
        + TextBlock::naturalWidth(m_value, font) + Style::defaultSpacing + chevronSize().width();
    return { static_cast<int>(std::ceil(content)),
        static_cast<int>(std::ceil(std::max(rowHeight, TextBlock::lineHeight(font)))) };
}

QSize NavigationRow::minimumSizeHint() const { return { 120, sizeHint().height() }; }

void NavigationRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    const QFont font = rowFont();
    const QFontMetricsF metrics(font);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    const qreal lineTop = (height() - metrics.height()) / 2;
    const qreal baseline = lineTop + metrics.ascent();

    const QSizeF arrow = chevronSize();
    const qreal arrowLeft = width() - arrow.width();
    Symbols::paint(painter,
        QRectF(QPointF(arrowLeft, symbolTopBesideText(font, lineTop, arrow.height())), arrow),
        chevron, scheme.secondary());

    // The value keeps its width; the label is cut first.
    const qreal valueRight = arrowLeft - Style::defaultSpacing;
    const FittedLine value = fitLine(m_value, font, std::max<qreal>(0.0, valueRight / 2));
    const qreal valueWidth = metrics.horizontalAdvance(value.text);
    painter.setFont(value.font);
    painter.setPen(scheme.secondary());
    painter.drawText(QPointF(valueRight - valueWidth, baseline), value.text);

    const FittedLine label = fitLine(
        text(), font, std::max<qreal>(0.0, valueRight - valueWidth - Style::defaultSpacing));
    painter.setFont(label.font);
    painter.setPen(scheme.primary());
    painter.drawText(QPointF(0, baseline), label.text);
    painter.setOpacity(1.0);
    paintFocusRing(painter, rect(), 4);
}

} // namespace wattlet
