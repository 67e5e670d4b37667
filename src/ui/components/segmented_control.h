#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPainter;

namespace wattlet {

/// A row of equally wide segments, one of them selected, painted like a native segmented
/// control: a tinted track and a raised selected segment in the palette's base colour. The first
/// segment is at the leading edge (the right in a right-to-left panel), and the arrow keys move
/// the way they point. A label too long for its segment shrinks to 85 % before it is cut. Read out
/// as a group of radio buttons, one per segment.
class SegmentedControl : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    explicit SegmentedControl(QStringList segments, int selected, QWidget* parent = nullptr);

    [[nodiscard]] int selected() const { return m_selected; }
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    /// The rectangle of segment `index`, for painting and for tests that click it.
    [[nodiscard]] QRect segmentRect(int index) const;
    [[nodiscard]] AccessibleFace accessibleFace() const override;
    void accessibleAction(const QString& action, int choice) override;
    [[nodiscard]] QRect accessibleChoiceRect(int choice) const override
    {
        return segmentRect(choice);
    }

Q_SIGNALS:
    /// The user picked a segment other than the selected one; the selection has moved to it.
    void activated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void paintTrack(QPainter& p, const QColor& text) const;
    void paintSelection(QPainter& p, bool dark) const;
    void paintLabels(QPainter& p, const QColor& text) const;
    void choose(int index);
    [[nodiscard]] QRect logicalSegment(int index) const;
    /// Equal segments as wide as the widest label and `inset` on either side.
    [[nodiscard]] int widthWithInsets(int inset) const;

    QStringList m_segments;
    int m_selected;
};

} // namespace wattlet
