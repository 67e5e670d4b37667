#pragma once

#include <QWidget>

namespace wattlet {

/// A rounded card in the faint fill of the tiles, drawn behind whatever its layout holds.
class Card : public QWidget
{
    Q_OBJECT

public:
    explicit Card(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wattlet
