#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

/// A label and, at the right edge, a value between a minus and a plus button on a tinted track,
/// like the segmented control. A click on a button (or the arrow keys when focused) runs its
/// action; a button without an action is dimmed and does nothing.
class Stepper : public QWidget
{
    Q_OBJECT

public:
    Stepper(QString label, QString value, std::function<void()> down, std::function<void()> up,
        QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    /// The minus and plus buttons, in widget coordinates.
    [[nodiscard]] QRect downRect() const;
    [[nodiscard]] QRect upRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] QRect trackRect() const;

    QString m_label;
    QString m_value;
    std::function<void()> m_down;
    std::function<void()> m_up;
};

} // namespace wattlet
