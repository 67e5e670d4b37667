#include "device_row.h"

#include "ui/drawing/mirror.h"
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

    // Room for the widest symbol of the kinds, so names line up.
    constexpr qreal symbolColumn = 20;
    constexpr qreal spacing = 8;
    constexpr qreal symbolTextSize = 12;

    QFont nameFont() { return Style::font(12.5); }
    QFont valueFont() { return Style::font(12.5, Style::TextWeight::semibold); }

    qreal rowHeight()
    {
        return std::max(TextBlock::lineHeight(nameFont()), TextBlock::lineHeight(valueFont()));
    }

} // namespace

DeviceRow::DeviceRow(
    QString symbol, QString name, QString value, QColor valueColor, QWidget* parent)
    : QWidget(parent)
    , m_symbol(std::move(symbol))
    , m_name(std::move(name))
    , m_value(std::move(value))
    , m_valueColor(valueColor)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize DeviceRow::sizeHint() const
{
    const qreal natural = symbolColumn + spacing + TextBlock::naturalWidth(m_name, nameFont())
        + spacing + TextBlock::naturalWidth(m_value, valueFont());
    return { std::min(static_cast<int>(std::ceil(natural)), Style::contentWidth),
        static_cast<int>(std::ceil(rowHeight())) };
}

QSize DeviceRow::minimumSizeHint() const
{
    return { static_cast<int>(symbolColumn + 80), sizeHint().height() };
}

void DeviceRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Mirror mirror(*this);
    const qreal middle = height() / 2.0;

    const std::string symbol = m_symbol.toStdString();
    // The symbol's height beside the text: it keeps its size and shrinks only to fit the column.
    const qreal symbolHeight = Symbols::size(symbol, symbolTextSize).height();
    Symbols::paint(painter,
        mirror(QRectF(0, middle - symbolHeight / 2, symbolColumn, symbolHeight)), symbol,
        scheme.secondary(), Style::symbolWeight(Style::TextWeight::semibold));

    const QFont value = valueFont();
    const qreal valueWidth = std::min(TextBlock::naturalWidth(m_value, value), width() / 2.0);
    const qreal baseline
        = middle + (QFontMetricsF(value).ascent() - QFontMetricsF(value).descent()) / 2;
    painter.setPen(m_valueColor.isValid() ? m_valueColor : scheme.primary());
    drawLine(painter, fitLine(m_value, value, valueWidth), mirror,
        QRectF(width() - valueWidth, 0, valueWidth, height()), Qt::AlignRight, baseline);

    const qreal nameLeft = symbolColumn + spacing;
    const qreal nameWidth = width() - nameLeft - valueWidth - spacing;
    painter.setPen(scheme.primary());
    drawLine(painter, fitLine(m_name, nameFont(), nameWidth), mirror,
        QRectF(nameLeft, 0, nameWidth, height()), Qt::AlignLeft, baseline);
}

} // namespace wattlet
