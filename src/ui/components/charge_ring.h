#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QColor>
#include <QWidget>

#include <cstdint>

namespace wattlet {

/// The charge ring: a circle of 86 points whose track is the tone at 18 %, an arc from 12 o'clock
/// clockwise over `percent` / 100 of it in the tone with round caps, both 9 points wide and
/// centred on the circle, and the percentage with a small "%" in its middle. The arc runs
/// clockwise in a right-to-left panel too, as a clock face and a gauge do. The strokes reach
/// 4.5 points beyond the circle, so the widget is the circle plus `overhang` on every side;
/// layouts subtract `overhang` from their spacing to place the circle itself. Percentages below
/// 0 or above 100 draw as 0 and 100; the number is shown as given. Read out as a progress bar of
/// the percentage.
class ChargeRing : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    ChargeRing(std::int64_t percent, QColor tone, QWidget* parent = nullptr);

    /// The number and the sign in the middle as the language writes them (Arabic-Indic digits,
    /// "٪"); the percentage's ASCII digits and "%" until it is called.
    void setNumberText(QString number, QString sign);

    [[nodiscard]] QSize sizeHint() const override { return { side, side }; }
    [[nodiscard]] AccessibleFace accessibleFace() const override;

    static constexpr int diameter = 86;
    static constexpr int lineWidth = 9;
    static constexpr int overhang = 5;
    static constexpr int side = diameter + 2 * overhang;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int64_t m_percent;
    QColor m_tone;
    QString m_number;
    QString m_sign;
};

} // namespace wattlet
