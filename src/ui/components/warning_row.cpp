#include "warning_row.h"

#include "ui/drawing/icon_label.h"
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

    constexpr qreal padding = 10;
    constexpr qreal spacing = 8;
    // The symbol follows the panel's body text size.
    constexpr qreal symbolTextSize = 13;

    QFont textFont() { return Style::font(12.5); }

} // namespace

WarningRow::WarningRow(const QString& symbol, QString text, QColor accent, QWidget* parent)
    : QWidget(parent)
    , m_symbol(symbol.toStdString())
    , m_text(std::move(text))
    , m_accent(accent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

qreal WarningRow::textLeft() const
{
    return padding + Symbols::size(m_symbol, symbolTextSize).width() + spacing;
}

QSize WarningRow::sizeHint() const
{
    const qreal natural = textLeft() + TextBlock::naturalWidth(m_text, textFont()) + padding;
    const int width = std::min(static_cast<int>(std::ceil(natural)), Style::contentWidth);
    return { width, heightForWidth(width) };
}

QSize WarningRow::minimumSizeHint() const
{
    // Layouts take the real height from heightForWidth; a narrow minimum height here would
    // otherwise be taken as the least height at every width.
    const qreal line = std::max(
        TextBlock::lineHeight(textFont()), Symbols::size(m_symbol, symbolTextSize).height());
    return { static_cast<int>(std::ceil(textLeft() + 60 + padding)),
        static_cast<int>(std::ceil(2 * padding + line)) };
}

int WarningRow::heightForWidth(int width) const
{
    const TextBlock text(m_text, textFont(), width - textLeft() - padding);
    const qreal content = std::max(text.height(), Symbols::size(m_symbol, symbolTextSize).height());
    return static_cast<int>(std::ceil(2 * padding + content));
}

void WarningRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Style::paintCard(painter, rect(), 10, Style::withOpacity(m_accent, 13));

    const QFont font = textFont();
    const QSizeF icon = Symbols::size(m_symbol, symbolTextSize);
    // Top-aligned with the text: the symbol sits on the first line, centred on its capitals.
    const Mirror mirror(*this);
    const QRectF iconBox(QPointF(padding, symbolTopBesideText(font, padding, icon.height())), icon);
    Symbols::paint(painter, mirror(iconBox), m_symbol, m_accent);
    const qreal textWidth = width() - textLeft() - padding;
    const TextBlock text(m_text, font, textWidth, 0, Qt::AlignLeft, mirror.direction());
    text.draw(
        painter, mirror(QRectF(textLeft(), padding, textWidth, 0)).topLeft(), scheme.primary());
}

} // namespace wattlet
