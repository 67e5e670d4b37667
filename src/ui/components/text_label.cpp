#include "text_label.h"

#include "ui/drawing/icon_label.h"
#include "ui/drawing/mirror.h"
#include "ui/drawing/symbols.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/style.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <utility>

namespace wattlet {

namespace {

    int up(qreal value) { return static_cast<int>(std::ceil(value)); }

    // A wrapping text may get narrower than its longest word; TextBlock then breaks the word.
    constexpr int narrowestWrap = 40;

} // namespace

TextLabel::TextLabel(QString text, const QFont& font, LabelColor color, QWidget* parent)
    : QWidget(parent)
    , m_text(std::move(text))
    , m_font(font)
    , m_color(color)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TextLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void TextLabel::setWraps(bool wraps)
{
    m_wraps = wraps;
    // A fixed height would cap a wrapped text at its one-line size hint.
    QSizePolicy policy(QSizePolicy::Preferred, wraps ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wraps);
    setSizePolicy(policy);
    updateGeometry();
}

void TextLabel::setSymbol(QString symbol)
{
    m_symbol = std::move(symbol);
    m_wraps = false;
    updateGeometry();
}

QSize TextLabel::sizeHint() const
{
    if (!m_symbol.isEmpty()) {
        const QSizeF size = IconLabel { m_symbol, m_text, m_font }.size();
        return { up(size.width()), up(size.height()) };
    }
    return { up(TextBlock::naturalWidth(m_text, m_font)), up(TextBlock::lineHeight(m_font)) };
}

QSize TextLabel::minimumSizeHint() const
{
    const QSize natural = sizeHint();
    if (m_wraps)
        return { std::min(natural.width(), narrowestWrap), natural.height() };
    return { std::min(natural.width(), up(TextBlock::lineHeight(m_font) * 2)), natural.height() };
}

int TextLabel::heightForWidth(int width) const
{
    if (!m_wraps)
        return sizeHint().height();
    return up(TextBlock(m_text, m_font, width, 0, m_alignment).height());
}

void TextLabel::paintEvent(QPaintEvent*)
{
    const QColor color = Scheme::of(this).label(m_color);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Mirror mirror(*this);
    if (!m_symbol.isEmpty()) {
        IconLabel { m_symbol, m_text, m_font }.paint(painter, mirror, rect(), color, m_alignment);
        return;
    }
    if (m_wraps) {
        TextBlock(m_text, m_font, width(), 0, m_alignment, mirror.direction())
            .draw(painter, QPointF(0, 0), color);
        return;
    }
    const QFontMetricsF metrics(m_font);
    painter.setPen(color);
    drawLine(painter, fitLine(m_text, m_font, width()), mirror, rect(), m_alignment,
        (height() - metrics.height()) / 2 + metrics.ascent());
}

} // namespace wattlet
