#pragma once

#include <QString>
#include <QWidget>

class QPainter;

namespace wattlet {

/// A value between a minus and a plus button, on the track of a segmented control: minus at the
/// leading edge, plus at the trailing one, so a right-to-left panel has minus at the right and
/// counts up leftwards, as its sliders do. A button that cannot step is dimmed and ignores
/// clicks. The arrow keys step too: down lowers, up raises, left and right step towards the
/// button on that side.
class Stepper : public QWidget
{
    Q_OBJECT

public:
    Stepper(QString value, bool canDecrease, bool canIncrease, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }
    /// The buttons' rectangles, for painting and for tests that click them.
    [[nodiscard]] QRect decreaseRect() const;
    [[nodiscard]] QRect increaseRect() const;

Q_SIGNALS:
    void decreased();
    void increased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintSign(QPainter& p, const QRect& button, bool plus, bool enabled) const;
    void step(bool up);

    QString m_value;
    bool m_canDecrease;
    bool m_canIncrease;
};

} // namespace wattlet
