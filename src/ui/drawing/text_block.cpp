#include "text_block.h"

#include "mirror.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    // The text as it is laid out: with its measures isolated when it reads right to left.
    QString laidOut(const QString& text, Qt::LayoutDirection direction)
    {
        return direction == Qt::RightToLeft ? isolateMeasures(text) : text;
    }

    std::unique_ptr<QTextLayout> makeLayout(
        const QString& text, const QFont& font, Qt::Alignment alignment, Qt::LayoutDirection panel)
    {
        const Qt::LayoutDirection direction = paragraphDirection(text, panel);
        auto layout = std::make_unique<QTextLayout>(laidOut(text, direction), font);
        QTextOption option(Mirror(0, panel)(alignment));
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(direction);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        return layout;
    }

    // The word a line break at `at` falls into, when the break is not one the script allows.
    std::optional<TextMiss> brokenWord(const QString& text, int at, const QFont& font, qreal width)
    {
        QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
        lines.setPosition(at);
        if (lines.isAtBoundary())
            return std::nullopt;
        const qsizetype end = lines.toNextBoundary();
        lines.setPosition(at);
        const qsizetype start = lines.toPreviousBoundary();
        const QString word = text.mid(start, end - start).trimmed();
        return TextMiss { word, TextBlock::naturalWidth(word, font), width };
    }

} // namespace

QString isolateMeasures(const QString& text)
{
    // A number (with its sign, decimals and a "/ number" after it), then a unit: a Latin word
    // (with "°" or "·" inside), or "%".
    static const QRegularExpression measure(QStringLiteral(
        "(?<![\\p{L}\\p{N}])([+\\x{2212}-]?)\\p{Nd}+(?:[.,\\x{066B}]\\p{Nd}+)*"
        "(?:\\s?/\\s?\\p{Nd}+(?:[.,\\x{066B}]\\p{Nd}+)*)*(?:\\s?(°?[A-Za-z]+(?:·[A-Za-z]+)*|%))?"));
    QString result;
    qsizetype from = 0;
    for (auto it = measure.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        // Arabic-Indic digits carry their sign the Arabic way, read first at the right; European
        // digits keep it at the left, as a number written left to right does.
        const QString found = match.captured(0);
        const bool latinUnit
            = match.capturedLength(2) > 0 && match.captured(2) != QLatin1String("%");
        const bool european = std::any_of(
            found.begin(), found.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const bool signOrSlash = !match.captured(1).isEmpty() || found.contains(QLatin1Char('/'));
        if (!latinUnit && !(european && signOrSlash))
            continue;
        result
            += text.mid(from, match.capturedStart() - from) + QChar(0x2066) + found + QChar(0x2069);
        from = match.capturedEnd();
    }
    return result + text.mid(from);
}

Qt::LayoutDirection paragraphDirection(const QString& text, Qt::LayoutDirection panel)
{
    if (panel == Qt::RightToLeft) {
        for (const char32_t c : text.toUcs4()) {
            const QChar::Direction d = QChar::direction(c);
            if (d == QChar::DirR || d == QChar::DirAL)
                return Qt::RightToLeft;
        }
    }
    return text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

TextBlock::TextBlock(const QString& text, const QFont& font, qreal width, int maxLines,
    Qt::Alignment alignment, Qt::LayoutDirection panel)
    : m_layout(makeLayout(text, font, alignment, panel))
    , m_width(std::max<qreal>(width, 1.0))
{
    // Positions count in the laid-out text, which may hold isolates.
    const QString shown = m_layout->text();
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
        const int end = line.textStart() + line.textLength();
        if (maxLines > 0 && m_lines == maxLines && end < shown.size()) {
            // The rest does not fit: the last line shows what it can and ends in an ellipsis.
            QString rest = shown.mid(line.textStart()).simplified();
            rest.remove(QChar(0x2066)).remove(QChar(0x2069));
            const QString elided = QFontMetricsF(font).elidedText(rest, Qt::ElideRight, m_width);
            m_elidedLast = makeLayout(elided, font, alignment, panel);
            m_elidedLast->beginLayout();
            QTextLine last = m_elidedLast->createLine();
            last.setLineWidth(m_width);
            last.setPosition(QPointF(0, line.y()));
            m_elidedLast->endLayout();
            m_miss = TextMiss { text, naturalWidth(text, font), m_width * maxLines };
            break;
        }
        if (!m_miss && end < shown.size())
            m_miss = brokenWord(shown, end, font, m_width);
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
    if (m_miss)
        TextFitWatch::report(*m_miss);
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
    FittedLine line { font, QFontMetricsF(font).elidedText(text, Qt::ElideRight, width), 0, {} };
    line.width = TextBlock::naturalWidth(line.text, font);
    if (line.text != text)
        line.miss = TextMiss { text, TextBlock::naturalWidth(text, font), width };
    return line;
}

void drawLine(QPainter& painter, const FittedLine& line, const Mirror& mirror, const QRectF& box,
    Qt::Alignment alignment, std::optional<qreal> baseline)
{
    const QRectF span = mirror(box);
    const Qt::Alignment placed = mirror(alignment);
    painter.save();
    painter.setFont(line.font);
    const Qt::LayoutDirection direction = paragraphDirection(line.text, mirror.direction());
    painter.setLayoutDirection(direction);
    const QString text = laidOut(line.text, direction);
    if (baseline) {
        qreal x = span.left();
        if (placed & Qt::AlignHCenter)
            x = span.center().x() - line.width / 2;
        else if (placed & Qt::AlignRight)
            x = span.right() - line.width;
        painter.drawText(QPointF(x, *baseline), text);
    } else {
        painter.drawText(span, (placed | Qt::AlignVCenter).toInt(), text);
    }
    painter.restore();
    if (line.miss)
        TextFitWatch::report(*line.miss);
}

} // namespace wattlet
