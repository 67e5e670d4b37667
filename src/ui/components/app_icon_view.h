#pragma once

#include <QWidget>

namespace wattlet {

/// The application's icon stretched to 72 × 72 and clipped to a rounded rectangle of radius 16
/// with continuous corners; transparent when the application has no icon.
class AppIconView : public QWidget
{
    Q_OBJECT

public:
    explicit AppIconView(QWidget* parent = nullptr);

    static constexpr int side = 72;
    static constexpr qreal radius = 16;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wattlet
