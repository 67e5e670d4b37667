#include "segmented_control.h"

#include "ui/drawing/mirror.h"
#include "ui/drawing/text_block.h"
#include "ui/theme/scheme.h"
#include "ui/theme/style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace wattlet {

namespace {

    constexpr int controlHeight = Style::controlHeight;
    constexpr qreal radius = Style::controlRadius;
    constexpr int segmentPadding = 12;
    // The least room between a label and its segment's edges.
    constexpr int labelInset = 4;

} // namespace

SegmentedControl::SegmentedControl(QStringList segments, int selected, QWidget* parent)
    : QWidget(parent)
    , m_segments(std::move(segments))
    , m_selected(selected)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

int SegmentedControl::widthWithInsets(int inset) const
{
    int widest = 0;
    for (const QString& s : m_segments)
        widest = std::max(widest, fontMetrics().horizontalAdvance(s));
    return static_cast<int>(m_segments.size()) * (widest + 2 * inset);
}

QSize SegmentedControl::sizeHint() const
{
    return { widthWithInsets(segmentPadding), controlHeight };
}

// Narrower, a label would be cut.
QSize SegmentedControl::minimumSizeHint() const
{
    return { widthWithInsets(labelInset), controlHeight };
}

QRect SegmentedControl::logicalSegment(int index) const
{
    const auto count = static_cast<int>(m_segments.size());
    if (count == 0 || index < 0 || index >= count)
        return {};
    const int left = width() * index / count;
    const int right = width() * (index + 1) / count;
    return { left, 0, right - left, height() };
}

QRect SegmentedControl::segmentRect(int index) const
{
    return Mirror(*this)(logicalSegment(index));
}

void SegmentedControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Disabled: dimmed as a whole, like a native control.
    if (!isEnabled())
        p.setOpacity(0.45);
    const Scheme scheme = Scheme::of(this);
    paintTrack(p, scheme.primary());
    paintSelection(p, scheme.isDark());
    paintLabels(p, scheme.primary());
    if (hasFocus())
        Style::paintFocusRing(p, rect(), radius);
}

void SegmentedControl::paintTrack(QPainter& p, const QColor& text) const
{
    QColor track = text;
    track.setAlphaF(0.08f);
    p.setPen(Qt::NoPen);
    p.setBrush(track);
    p.drawRoundedRect(QRectF(rect()), radius, radius);

    QColor divider = text;
    divider.setAlphaF(0.15f);
    for (int i = 1; i < m_segments.size(); ++i) {
        // No divider next to the raised segment, as on native controls.
        if (i == m_selected || i == m_selected + 1)
            continue;
        const int x = logicalSegment(i).left();
        p.fillRect(Mirror(*this)(QRectF(x - 0.5, 5, 1, height() - 10)), divider);
    }
}

void SegmentedControl::paintSelection(QPainter& p, bool dark) const
{
    const QRect chosen = segmentRect(m_selected);
    if (!chosen.isValid())
        return;
    const QRectF raised = QRectF(chosen).adjusted(2, 2, -2, -2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 30));
    p.drawRoundedRect(raised.translated(0, 0.5), radius - 2, radius - 2);
    // Raised: white on a light panel, a lighter grey than the track on a dark one.
    p.setBrush(dark ? QColor::fromRgbF(0.36f, 0.36f, 0.37f) : QColor(Qt::white));
    p.drawRoundedRect(raised, radius - 2, radius - 2);
}

void SegmentedControl::paintLabels(QPainter& p, const QColor& text) const
{
    p.setPen(text);
    for (int i = 0; i < m_segments.size(); ++i) {
        const QRect r = logicalSegment(i);
        // Three choices share a narrow row: a long word shrinks a little before it is cut.
        drawLine(p, fitLine(m_segments[i], font(), r.width() - 2 * labelInset, 0.85), Mirror(*this),
            r, Qt::AlignHCenter);
    }
}

AccessibleFace SegmentedControl::accessibleFace() const
{
    AccessibleFace face;
    face.role = QAccessible::Grouping;
    face.choices = m_segments;
    face.chosen = m_selected;
    return face;
}

void SegmentedControl::accessibleAction(const QString&, int choice) { choose(choice); }

void SegmentedControl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The chosen segment is what a screen reader reads on arrival.
    announceChoice(this, m_selected, m_selected);
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < m_segments.size(); ++i) {
        if (segmentRect(i).contains(event->position().toPoint())) {
            choose(i);
            return;
        }
    }
}

void SegmentedControl::keyPressEvent(QKeyEvent* event)
{
    // The arrows move the way they point: towards the first choice is to the right in a
    // right-to-left panel. Up and down move too, as in a radio group.
    const int back = isRightToLeft() ? Qt::Key_Right : Qt::Key_Left;
    const int forward = isRightToLeft() ? Qt::Key_Left : Qt::Key_Right;
    if (event->key() == back || event->key() == Qt::Key_Up)
        choose(m_selected - 1);
    else if (event->key() == forward || event->key() == Qt::Key_Down)
        choose(m_selected + 1);
    else
        QWidget::keyPressEvent(event);
}

void SegmentedControl::choose(int index)
{
    if (index < 0 || index >= m_segments.size() || index == m_selected)
        return;
    const int previous = m_selected;
    m_selected = index;
    update();
    announceChoice(this, previous, index);
    Q_EMIT activated(index);
}

} // namespace wattlet
