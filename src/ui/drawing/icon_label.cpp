#include "icon_label.h"

#include "mirror.h"
#include "text_block.h"

#include "ui/theme/style.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace wattlet {

qreal symbolTopBesideText(const QFont& font, qreal lineTop, qreal symbolHeight)
{
    const QFontMetricsF metrics(font);
    const qreal capMiddle = lineTop + metrics.ascent() - metrics.capHeight() / 2.0;
    return capMiddle - symbolHeight / 2.0;
}

QSizeF IconLabel::size() const
{
    const QSizeF icon = Symbols::size(symbol.toStdString(), Style::layoutSize(font));
    const qreal text = TextBlock::naturalWidth(title, font);
    const qreal height = std::max(TextBlock::lineHeight(font), icon.height());
    if (title.isEmpty())
        return { icon.width(), height };
    return { icon.width() + Style::labelSpacing + text, height };
}

void IconLabel::paint(QPainter& painter, const Mirror& mirror, const QRectF& rect,
    const QColor& color, Qt::Alignment alignment) const
{
    const QSizeF icon = Symbols::size(symbol.toStdString(), Style::layoutSize(font));
    const qreal textRoom = std::max<qreal>(0.0, rect.width() - icon.width() - Style::labelSpacing);
    const FittedLine line = fitLine(title, font, textRoom);
    const qreal width = icon.width() + (title.isEmpty() ? 0.0 : Style::labelSpacing + line.width);
    qreal x = rect.left();
    if (alignment & Qt::AlignHCenter)
        x = rect.center().x() - width / 2.0;
    else if (alignment & Qt::AlignRight)
        x = rect.right() - width;
    const QFontMetricsF metrics(font);
    const qreal lineTop = rect.center().y() - metrics.height() / 2.0;
    const QRectF iconBox(QPointF(x, symbolTopBesideText(font, lineTop, icon.height())), icon);
    Symbols::paint(
        painter, mirror(iconBox), symbol.toStdString(), color, weight, mirrors && mirror.flips());
    if (title.isEmpty())
        return;
    painter.save();
    painter.setPen(color);
    const qreal textLeft = iconBox.right() + Style::labelSpacing;
    drawLine(painter, line, mirror, QRectF(textLeft, lineTop, line.width, metrics.height()),
        Qt::AlignLeft, lineTop + metrics.ascent());
    painter.restore();
}

} // namespace wattlet
