#include "detail_row.h"

#include "ui/drawing/mirror.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    QFont rowFont() { return Style::font(12.5); }

} // namespace

struct DetailRow::Geometry
{
    TextBlock key;
    TextBlock value;
    QRectF keyBox;
    QRectF valueBox;

    [[nodiscard]] qreal height() const { return std::max(key.height(), value.height()); }
};

DetailRow::Geometry DetailRow::layoutFor(qreal width) const
{
    const QFont font = rowFont();
    const Mirror mirror(width, layoutDirection());
    // The label keeps its natural width unless it would take more than half the row; the value
    // gets the rest.
    const qreal keyWidth = std::min(TextBlock::naturalWidth(m_k, font), (width - minimumGap) / 2);
    const qreal valueLeft = keyWidth + minimumGap;
    return { TextBlock(m_k, font, keyWidth, 0, Qt::AlignLeft, mirror.direction()),
        TextBlock(m_v, font, width - valueLeft, 2, Qt::AlignRight, mirror.direction()),
        mirror(QRectF(0, 0, keyWidth, 0)), mirror(QRectF(valueLeft, 0, width - valueLeft, 0)) };
}

DetailRow::DetailRow(QString k, QString v, QWidget* parent)
    : QWidget(parent)
    , m_k(std::move(k))
    , m_v(std::move(v))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize DetailRow::sizeHint() const
{
    const QFont font = rowFont();
    const qreal natural
        = TextBlock::naturalWidth(m_k, font) + minimumGap + TextBlock::naturalWidth(m_v, font);
    const int width = std::min(static_cast<int>(std::ceil(natural)), Style::contentWidth);
    return { width, heightForWidth(width) };
}

QSize DetailRow::minimumSizeHint() const
{
    // Layouts take the real height from heightForWidth; see WarningRow.
    return { 80, static_cast<int>(std::ceil(TextBlock::lineHeight(rowFont()))) };
}

int DetailRow::heightForWidth(int width) const
{
    return static_cast<int>(std::ceil(layoutFor(width).height()));
}

void DetailRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    const Geometry g = layoutFor(width());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    g.key.draw(painter, g.keyBox.topLeft(), scheme.secondary());
    g.value.draw(painter, g.valueBox.topLeft(), scheme.primary());
}

} // namespace wattlet
