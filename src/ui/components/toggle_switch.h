#pragma once

#include <QAbstractButton>

namespace wattlet {

/// An on/off switch: a rounded track with a round knob, the track in the palette's highlight
/// colour when on, a focus ring around it with the focus. The knob is at the trailing end when on
/// (the left in a right-to-left panel). Checkable; `clicked(bool)` reports only the user's changes.
class ToggleSwitch : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    /// Return and Enter flip it too, as Space does.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace wattlet
