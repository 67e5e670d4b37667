#include "pill_button.h"

#include "ui/drawing/icon_label.h"
#include "ui/drawing/mirror.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QPainter>

#include <cmath>

namespace wattlet {

namespace {

    constexpr qreal verticalPadding = 8;
    // The label is centred on the full width; this only keeps a long title off the rounded ends.
    constexpr qreal horizontalRoom = 4;

    IconLabel label(const QString& symbol, const QString& title)
    {
        return { symbol, title, Style::font(12, Style::TextWeight::medium),
            Style::symbolWeight(Style::TextWeight::medium) };
    }

} // namespace

PillButton::PillButton(
    QString symbol, const QString& title, std::function<void()> action, QWidget* parent)
    : PlainButton(std::move(action), parent)
    , m_symbol(std::move(symbol))
{
    setText(title);
    setAccessibleName(title);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PillButton::sizeHint() const
{
    const QSizeF content = label(m_symbol, text()).size();
    return { static_cast<int>(std::ceil(content.width() + 2 * horizontalRoom)),
        static_cast<int>(std::ceil(content.height() + 2 * verticalPadding)) };
}

QSize PillButton::minimumSizeHint() const { return { 60, sizeHint().height() }; }

void PillButton::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = rect();
    Style::paintCard(painter, card, 10, scheme.primaryAt(7));
    painter.setOpacity(labelOpacity());
    label(m_symbol, text())
        .paint(painter, Mirror(*this), card.adjusted(horizontalRoom, 0, -horizontalRoom, 0),
            scheme.primary(), Qt::AlignHCenter);
    painter.setOpacity(1.0);
    paintFocusRing(painter, card, 10);
}

} // namespace wattlet
