#pragma once

#include "ui/components/plain_button.h"

#include <QString>

#include <functional>

namespace wattlet {

/// A row of a list of choices, one of which holds: the label at the leading edge, a check mark at
/// the trailing edge on the chosen row. The whole row is the click target; it is checkable, so
/// assistive technologies read which row holds.
class ChoiceRow : public PlainButton
{
    Q_OBJECT

public:
    ChoiceRow(
        const QString& label, bool chosen, std::function<void()> choose, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wattlet
