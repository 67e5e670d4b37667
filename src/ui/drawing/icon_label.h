#pragma once

#include "symbols.h"

#include <QFont>
#include <QString>

class QPainter;

namespace wattlet {

class Mirror;

/// A symbol followed by a title on one line, both in one colour, as buttons and links show them.
/// The symbol has the size of the text and sits centred on the text's capital height; it leads
/// the title, so it stands at the title's right in a right-to-left panel, drawn mirrored when
/// `mirrors` (arrows that point along the reading direction).
struct IconLabel
{
    QString symbol;
    QString title;
    QFont font;
    Symbols::Weight weight = Symbols::Weight::regular;
    bool mirrors = false;

    /// The natural size: symbol, spacing and title, one line high.
    [[nodiscard]] QSizeF size() const;
    /// Paints the label inside `rect`, placed by `alignment` (horizontal part) and centred
    /// vertically, both turned around by `mirror`; a title too long for `rect` ends in "…".
    void paint(QPainter& painter, const Mirror& mirror, const QRectF& rect, const QColor& color,
        Qt::Alignment alignment) const;
};

/// Where a symbol of `symbolSize` goes beside text of `font` whose line starts at `lineTop`:
/// centred on the capital height.
[[nodiscard]] qreal symbolTopBesideText(const QFont& font, qreal lineTop, qreal symbolHeight);

} // namespace wattlet
