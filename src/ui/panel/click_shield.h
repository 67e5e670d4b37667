#pragma once

#include <QRect>
#include <QWidget>

namespace wattlet {

/// An invisible window over every screen, but for a hole, that reports a press anywhere on it:
/// the click outside the panel where the window system lets no popup see one (XWayland). It
/// stays above every managed window without taking the focus, so the panel keeps the keyboard;
/// the hole lets clicks through to the panel beneath it.
class ClickShield : public QWidget
{
    Q_OBJECT

public:
    ClickShield();

    /// Covers the screens, all but `hole` (global coordinates), and shows.
    void raiseAround(QRect hole);
    /// Moves the hole, as the panel moves or resizes.
    void setHole(QRect hole);

Q_SIGNALS:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wattlet
