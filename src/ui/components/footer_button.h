#pragma once

#include "ui/components/plain_button.h"

#include <QString>

#include <functional>

namespace wattlet {

/// A 26 × 26 icon button of the panel footer: the symbol in secondary colour, `help` as its
/// tooltip and accessible name.
class FooterButton : public PlainButton
{
    Q_OBJECT

public:
    FooterButton(QString symbol, const QString& help, std::function<void()> action,
        QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override { return { side, side }; }

    static constexpr int side = 26;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
};

} // namespace wattlet
