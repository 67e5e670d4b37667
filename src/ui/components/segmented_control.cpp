#include "segmented_control.h"

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

QSize SegmentedControl::sizeHint() const
{
    int widest = 0;
    for (const QString& s : m_segments)
        widest = std::max(widest, fontMetrics().horizontalAdvance(s));
    return { static_cast<int>(m_segments.size()) * (widest + 2 * segmentPadding), controlHeight };
}

QSize SegmentedControl::minimumSizeHint() const { return sizeHint(); }

QRect SegmentedControl::segmentRect(int index) const
{
    const auto count = static_cast<int>(m_segments.size());
    if (count == 0 || index < 0 || index >= count)
        return {};
    const int left = width() * index / count;
    const int right = width() * (index + 1) / count;
    return { left, 0, right - left, height() };
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
        const int x = segmentRect(i).left();
        p.fillRect(QRectF(x - 0.5, 5, 1, height() - 10), divider);
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
        const QRect r = segmentRect(i);
        const QString label
            = fontMetrics().elidedText(m_segments[i], Qt::ElideRight, r.width() - 8);
        p.drawText(r, Qt::AlignCenter, label);
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
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up)
        choose(m_selected - 1);
    else if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down)
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
