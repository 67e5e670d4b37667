#pragma once

#include <QAbstractButton>

#include <functional>

namespace wattlet {

/// A button without chrome: subclasses paint the label; the whole widget is the click target.
/// A click (mouse, or Space when focused from the keyboard) runs `action` synchronously; an action
/// that destroys this button must defer the destruction (deleteLater). The pointer becomes a
/// pointing hand over it, and the label dims while the button is held down.
class PlainButton : public QAbstractButton
{
    Q_OBJECT

public:
    PlainButton(std::function<void()> action, QWidget* parent = nullptr);

protected:
    /// 1, or 0.55 while pressed: the opacity subclasses give their label.
    [[nodiscard]] qreal labelOpacity() const;
    /// Outlines `rect` when focus arrived from the keyboard (Tab), so keyboard users see where
    /// they are; mouse users never see it.
    void paintFocusRing(QPainter& painter, const QRectF& rect, qreal radius) const;

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    /// Return and Enter click too, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> m_action;
    bool m_keyboardFocus = false;
};

} // namespace wattlet
