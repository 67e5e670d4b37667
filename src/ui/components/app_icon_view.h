#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QWidget>

namespace wattlet {

/// The application's icon stretched to 72 × 72 and clipped to a rounded rectangle of radius 16
/// with continuous corners; transparent when the application has no icon.
class AppIconView : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    explicit AppIconView(QWidget* parent = nullptr);

    /// An image, unnamed: the name beside it says what it is.
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::Graphic, {}, {}, {}, {}, -1 };
    }

    static constexpr int side = 72;
    static constexpr qreal radius = 16;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wattlet
