#include "footer_button.h"

#include "ui/drawing/symbols.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QPainter>

namespace wattlet {

FooterButton::FooterButton(
    QString symbol, const QString& help, std::function<void()> action, QWidget* parent)
    : PlainButton(std::move(action), parent)
    , m_symbol(std::move(symbol))
{
    setFixedSize(side, side);
    setToolTip(help);
    setAccessibleName(help);
}

void FooterButton::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF icon = Symbols::size(m_symbol.toStdString(), 13);
    const QRectF box(QPointF(side - icon.width(), side - icon.height()) / 2, icon);
    painter.setOpacity(labelOpacity());
    Symbols::paint(painter, box, m_symbol.toStdString(), scheme.secondary());
    painter.setOpacity(1.0);
    paintFocusRing(painter, rect(), 7);
}

} // namespace wattlet
