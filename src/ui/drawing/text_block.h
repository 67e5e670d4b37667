#pragma once

#include <QFont>
#include <QString>
#include <QTextLayout>

#include <memory>

class QPainter;

namespace wattlet {

/// A paragraph laid out for a custom-painted widget: wrapped at word boundaries (or anywhere
/// when a word is wider than the line) to `width`, each line aligned by `alignment`
/// (Qt::AlignLeft, AlignRight or AlignHCenter). With `maxLines` > 0 the text stops after that many
/// lines and the last one ends in "…"; 0 means it wraps fully.
class TextBlock
{
public:
    TextBlock(const QString& text, const QFont& font, qreal width, int maxLines = 0,
        Qt::Alignment alignment = Qt::AlignLeft);

    /// The height of all lines; one line's height for an empty text.
    [[nodiscard]] qreal height() const { return m_height; }
    [[nodiscard]] int lineCount() const;
    /// The width of the widest line (at most `width`).
    [[nodiscard]] qreal usedWidth() const;
    /// The distance from the top to the first line's baseline.
    [[nodiscard]] qreal firstBaseline() const;
    /// Draws the block with its top-left corner at `topLeft`.
    void draw(QPainter& painter, QPointF topLeft, const QColor& color) const;

    /// The width of `text` on one line in `font`.
    [[nodiscard]] static qreal naturalWidth(const QString& text, const QFont& font);
    /// The height of one line in `font`.
    [[nodiscard]] static qreal lineHeight(const QFont& font);

private:
    std::unique_ptr<QTextLayout> m_layout;
    std::unique_ptr<QTextLayout> m_elidedLast;
    qreal m_width;
    qreal m_height = 0;
    int m_lines = 0;
    Qt::Alignment m_alignment;
};

/// One line of text in `font`, fitted to `width`: first scaled down as far as `minScale` of its
/// size, then cut with "…". Returns the font and text to draw.
struct FittedLine
{
    QFont font;
    QString text;
};
[[nodiscard]] FittedLine fitLine(
    const QString& text, QFont font, qreal width, qreal minScale = 1.0);

} // namespace wattlet
