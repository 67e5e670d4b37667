#include "link_row.h"

#include "ui/drawing/icon_label.h"
#include "ui/drawing/mirror.h"
#include "ui/drawing/symbols.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QDesktopServices>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr qreal sidePadding = 10;
    constexpr qreal verticalPadding = 8;
    constexpr qreal symbolFrame = 20;
    constexpr qreal spacing = Style::defaultSpacing;
    constexpr std::string_view arrow = "arrow.up.right";

    QFont rowFont() { return Style::font(12.5); }
    QSizeF arrowSize() { return Symbols::size(arrow, 10); }

} // namespace

LinkRow::LinkRow(QString symbol, const QString& title, QUrl url, QWidget* parent)
    : PlainButton([url] { QDesktopServices::openUrl(url); }, parent)
    , m_symbol(std::move(symbol))
    , m_url(std::move(url))
{
    setText(title);
    setAccessibleName(title);
    setToolTip(m_url.toDisplayString());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize LinkRow::sizeHint() const
{
    const QFont font = rowFont();
    const qreal content = symbolFrame + spacing + TextBlock::naturalWidth(text(), font) + spacing
        + arrowSize().width();
    const qreal height = std::max(
        TextBlock::lineHeight(font), Symbols::size(m_symbol.toStdString(), 12.5).height());
    return { static_cast<int>(std::ceil(content + 2 * sidePadding)),
        static_cast<int>(std::ceil(height + 2 * verticalPadding)) };
}

QSize LinkRow::minimumSizeHint() const
{
    const qreal content = symbolFrame + 2 * spacing + 40 + arrowSize().width();
    return { static_cast<int>(std::ceil(content + 2 * sidePadding)), sizeHint().height() };
}

void LinkRow::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    const QColor ink = scheme.primary();
    const QFont font = rowFont();
    const QFontMetricsF metrics(font);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Style::paintCard(painter, rect(), 10, scheme.primaryAt(5));
    painter.setOpacity(labelOpacity());

    const Mirror mirror(*this);
    const qreal lineTop = (height() - metrics.height()) / 2;
    const QSizeF icon = Symbols::size(m_symbol.toStdString(), 12.5);
    Symbols::paint(painter,
        mirror(QRectF(QPointF(sidePadding + (symbolFrame - icon.width()) / 2,
                          symbolTopBesideText(font, lineTop, icon.height())),
            icon)),
        m_symbol.toStdString(), ink);

    // The arrow points out along the reading direction: up and to the left in a right-to-left
    // panel.
    const QSizeF arrowBox = arrowSize();
    const qreal arrowLeft = width() - sidePadding - arrowBox.width();
    Symbols::paint(painter,
        mirror(QRectF(
            QPointF(arrowLeft, symbolTopBesideText(font, lineTop, arrowBox.height())), arrowBox)),
        arrow, ink, Symbols::Weight::regular, mirror.flips());

    const qreal titleLeft = sidePadding + symbolFrame + spacing;
    const qreal titleWidth = std::max<qreal>(0.0, arrowLeft - spacing - titleLeft);
    painter.setPen(ink);
    drawLine(painter, fitLine(text(), font, titleWidth), mirror,
        QRectF(titleLeft, 0, titleWidth, height()), Qt::AlignLeft, lineTop + metrics.ascent());
    painter.setOpacity(1.0);
    paintFocusRing(painter, rect(), 10);
}

} // namespace wattlet
