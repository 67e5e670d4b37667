#include "symbol_view.h"

#include "ui/drawing/symbols.h"

#include <QPainter>

#include <cmath>
#include <utility>

namespace wattlet {

SymbolView::SymbolView(QString name, qreal fontSize, QColor color, QWidget* parent)
    : QWidget(parent)
    , m_name(std::move(name))
    , m_fontSize(fontSize)
    , m_color(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

SymbolView::SymbolView(QString name, qreal fontSize, LabelColor color, QWidget* parent)
    : SymbolView(std::move(name), fontSize, QColor(), parent)
{
    m_label = color;
}

QSize SymbolView::sizeHint() const
{
    const QSizeF size = Symbols::size(m_name.toStdString(), m_fontSize);
    return { static_cast<int>(std::ceil(size.width())),
        static_cast<int>(std::ceil(size.height())) };
}

void SymbolView::paintEvent(QPaintEvent*)
{
    const QColor color = m_color.isValid() ? m_color : Scheme::of(this).label(m_label);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size = Symbols::size(m_name.toStdString(), m_fontSize);
    const QRectF box(QPointF(width() - size.width(), height() - size.height()) / 2, size);
    Symbols::paint(painter, box, m_name.toStdString(), color);
}

} // namespace wattlet
