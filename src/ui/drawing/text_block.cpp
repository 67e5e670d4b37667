#include "text_block.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    std::unique_ptr<QTextLayout> makeLayout(
        const QString& text, const QFont& font, Qt::Alignment alignment)
    {
        auto layout = std::make_unique<QTextLayout>(text, font);
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        return layout;
    }

} // namespace

TextBlock::TextBlock(
    const QString& text, const QFont& font, qreal width, int maxLines, Qt::Alignment alignment)
    : m_layout(makeLayout(text, font, alignment))
    , m_width(std::max<qreal>(width, 1.0))
    , m_alignment(alignment)
{
    m_layout->beginLayout();
    qreal y = 0;
    for (;;) {
        QTextLine line = m_layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(m_width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        ++m_lines;
        if (maxLines > 0 && m_lines == maxLines
            && line.textStart() + line.textLength() < text.size()) {
            // The rest does not fit: the last line shows what it can and ends in an ellipsis.
            const QString rest = text.mid(line.textStart()).simplified();
            const QString elided = QFontMetricsF(font).elidedText(rest, Qt::ElideRight, m_width);
            m_elidedLast = makeLayout(elided, font, alignment);
            m_elidedLast->beginLayout();
            QTextLine last = m_elidedLast->createLine();
            last.setLineWidth(m_width);
            last.setPosition(QPointF(0, line.y()));
            m_elidedLast->endLayout();
            break;
        }
    }
    m_layout->endLayout();
    m_height = m_lines > 0 ? y : lineHeight(font);
}

int TextBlock::lineCount() const { return m_lines; }

qreal TextBlock::usedWidth() const
{
    qreal widest = 0;
    const int drawn = m_elidedLast ? m_lines - 1 : m_lines;
    for (int i = 0; i < drawn; ++i)
        widest = std::max(widest, m_layout->lineAt(i).naturalTextWidth());
    if (m_elidedLast)
        widest = std::max(widest, m_elidedLast->lineAt(0).naturalTextWidth());
    return std::min(widest, m_width);
}

qreal TextBlock::firstBaseline() const
{
    if (m_lines == 0)
        return QFontMetricsF(m_layout->font()).ascent();
    return m_layout->lineAt(0).ascent();
}

void TextBlock::draw(QPainter& painter, QPointF topLeft, const QColor& color) const
{
    painter.save();
    painter.setPen(color);
    const int drawn = m_elidedLast ? m_lines - 1 : m_lines;
    for (int i = 0; i < drawn; ++i)
        m_layout->lineAt(i).draw(&painter, topLeft);
    if (m_elidedLast)
        m_elidedLast->draw(&painter, topLeft);
    painter.restore();
}

qreal TextBlock::naturalWidth(const QString& text, const QFont& font)
{
    // Measured by the same engine that breaks the lines, so a text laid out at its natural
    // width stays on one line.
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return 0;
    }
    line.setLineWidth(1e6);
    layout.endLayout();
    return std::ceil(line.naturalTextWidth());
}

qreal TextBlock::lineHeight(const QFont& font) { return QFontMetricsF(font).height(); }

FittedLine fitLine(const QString& text, QFont font, qreal width, qreal minScale)
{
    const qreal natural = TextBlock::naturalWidth(text, font);
    if (natural > width && minScale < 1.0 && natural > 0) {
        const qreal scale = std::max(minScale, width / natural);
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    return { font, QFontMetricsF(font).elidedText(text, Qt::ElideRight, width) };
}

} // namespace wattlet
