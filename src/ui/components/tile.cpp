#include "tile.h"

#include "ui/drawing/mirror.h"
#include "ui/drawing/symbols.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wattlet {

namespace {

    constexpr qreal padding = 9;
    constexpr qreal badge = 28;
    constexpr qreal spacing = 9;
    constexpr qreal lineGap = 1;
    constexpr qreal textLeft = padding + badge + spacing;

    QFont titleFont() { return Style::font(10.5); }
    QFont valueFont() { return Style::font(14, Style::TextWeight::semibold, true); }

} // namespace

Tile::Tile(QString symbol, QString title, QString value, QColor tint, QWidget* parent)
    : QWidget(parent)
    , m_symbol(std::move(symbol))
    , m_title(std::move(title))
    , m_value(std::move(value))
    , m_tint(tint)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

qreal Tile::textHeight() const
{
    return TextBlock::lineHeight(titleFont()) + lineGap + TextBlock::lineHeight(valueFont());
}

QSize Tile::sizeHint() const
{
    const qreal text = std::max(TextBlock::naturalWidth(m_title, titleFont()),
        TextBlock::naturalWidth(m_value, valueFont()));
    const qreal height = 2 * padding + std::max(badge, textHeight());
    return { static_cast<int>(std::ceil(textLeft + text + padding)),
        static_cast<int>(std::ceil(height)) };
}

QSize Tile::minimumSizeHint() const
{
    return { static_cast<int>(textLeft + 40 + padding), sizeHint().height() };
}

void Tile::paintEvent(QPaintEvent*)
{
    const Scheme scheme = Scheme::of(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Style::paintCard(painter, rect(), 12, scheme.primaryAt(m_action && underMouse() ? 9 : 5));

    const Mirror mirror(*this);
    const qreal middle = height() / 2.0;
    const QRectF badgeRect = mirror(QRectF(padding, middle - badge / 2, badge, badge));
    Style::paintCard(painter, badgeRect, 8, Style::withOpacity(m_tint, 15));
    const QSizeF symbolSize = Symbols::size(m_symbol.toStdString(), 14);
    Symbols::paint(painter,
        QRectF(
            badgeRect.center() - QPointF(symbolSize.width(), symbolSize.height()) / 2, symbolSize),
        m_symbol.toStdString(), m_tint, Style::symbolWeight(Style::TextWeight::semibold));

    const QRectF text(textLeft, 0, width() - textLeft - padding, height());
    const qreal top = middle - textHeight() / 2;
    const QFont title = titleFont();
    painter.setPen(scheme.secondary());
    drawLine(painter, fitLine(m_title, title, text.width()), mirror, text, Qt::AlignLeft,
        top + QFontMetricsF(title).ascent());

    const QFont value = valueFont();
    const qreal valueTop = top + TextBlock::lineHeight(title) + lineGap;
    painter.setPen(scheme.primary());
    // A shrunken value keeps the baseline of the full-size one.
    drawLine(painter, fitLine(m_value, value, text.width(), 0.8), mirror, text, Qt::AlignLeft,
        valueTop + QFontMetricsF(value).ascent());
    if (hasFocus())
        Style::paintFocusRing(painter, rect(), 12);
}

void Tile::setAction(std::function<void()> action, const QString& help)
{
    m_action = std::move(action);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(help);
    setAccessibleDescription(help);
}

AccessibleFace Tile::accessibleFace() const
{
    AccessibleFace face;
    face.role = m_action ? QAccessible::Button : QAccessible::StaticText;
    face.name = m_title + QStringLiteral(", ") + m_value;
    return face;
}

void Tile::accessibleAction(const QString&, int)
{
    if (m_action)
        m_action();
}

void Tile::mousePressEvent(QMouseEvent* event)
{
    // Taking the press makes the release come here too.
    if (m_action && event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void Tile::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_action && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint()))
        m_action();
    else
        QWidget::mouseReleaseEvent(event);
}

void Tile::keyPressEvent(QKeyEvent* event)
{
    const bool activates = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter;
    if (m_action && activates)
        m_action();
    else
        QWidget::keyPressEvent(event);
}

void Tile::enterEvent(QEnterEvent* event)
{
    update();
    QWidget::enterEvent(event);
}

void Tile::leaveEvent(QEvent* event)
{
    update();
    QWidget::leaveEvent(event);
}

} // namespace wattlet
