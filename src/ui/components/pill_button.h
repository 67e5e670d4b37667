#pragma once

#include "ui/components/plain_button.h"

#include <QString>

#include <functional>

namespace wattlet {

/// A full-width action button: symbol and title centred on a softly tinted card. The whole card
/// is the click target; it takes the width it is given.
class PillButton : public PlainButton
{
    Q_OBJECT

public:
    PillButton(QString symbol, const QString& title, std::function<void()> action,
        QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
};

} // namespace wattlet
