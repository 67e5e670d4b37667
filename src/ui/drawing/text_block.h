#pragma once

#include "text_fit_watch.h"

#include <QFont>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <optional>

class QPainter;

namespace wattlet {

class Mirror;

/// The reading direction of a paragraph of `text` in a panel laid out in `panel` direction: in a
/// right-to-left panel a text with any right-to-left letter reads right to left, even where it
/// starts with a Latin name or a number; any other text takes the direction of its first strong
/// letter (left to right when it has none), so names, numbers and units keep their own order.
[[nodiscard]] Qt::LayoutDirection paragraphDirection(
    const QString& text, Qt::LayoutDirection panel);

/// `text` for a right-to-left paragraph: each measure written left to right inside it, a number
/// with a Latin unit ("46 °C", "+75 W") or a signed number or fraction in European digits
/// ("−12 %", "8393 / 8579"), is wrapped in a left-to-right isolate (U+2066 … U+2069), so unit and
/// sign stay where the number has them instead of being turned around with the sentence. A plain
/// number or percentage, and Arabic-Indic digits with their sign, are left as the bidirectional
/// algorithm places them ("9 %" and "−١٢٪" read as Arabic writes them).
[[nodiscard]] QString isolateMeasures(const QString& text);

/// A paragraph laid out for a custom-painted widget: wrapped at word boundaries (or anywhere
/// when a word is wider than the line) to `width`, each line aligned by `alignment`
/// (Qt::AlignLeft, AlignRight or AlignHCenter, meaning leading and trailing in a `panel` that
/// reads right to left). With `maxLines` > 0 the text stops after that many lines and the last
/// one ends in "…"; 0 means it wraps fully. Drawing a block that was cut or had to break a word
/// reports it to the TextFitWatch.
class TextBlock
{
public:
    TextBlock(const QString& text, const QFont& font, qreal width, int maxLines = 0,
        Qt::Alignment alignment = Qt::AlignLeft, Qt::LayoutDirection panel = Qt::LeftToRight);

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
    std::optional<TextMiss> m_miss;
};

/// One line of text in `font`, fitted to `width`: first scaled down as far as `minScale` of its
/// size, then cut with "…". The font and text to draw, the drawn text's width, and what did not
/// fit when it was cut.
struct FittedLine
{
    QFont font;
    QString text;
    qreal width = 0;
    std::optional<TextMiss> miss;
};
[[nodiscard]] FittedLine fitLine(
    const QString& text, QFont font, qreal width, qreal minScale = 1.0);

/// Draws `line` with the painter's pen on the baseline `baseline` (centred in `box` without one),
/// placed in `box` by `alignment` (AlignLeft, AlignHCenter or AlignRight), both as if the panel
/// read left to right: `mirror` turns them around for a right-to-left panel. A cut line is
/// reported to the TextFitWatch.
void drawLine(QPainter& painter, const FittedLine& line, const Mirror& mirror, const QRectF& box,
    Qt::Alignment alignment, std::optional<qreal> baseline = std::nullopt);

} // namespace wattlet
