#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace wattlet {

/// A small statistic card: a tinted symbol badge, a title in secondary colour and a value below
/// it. The value shrinks to 80 % before it is cut; the title is cut. Its height is fixed; it
/// takes the width it is given.
class Tile : public QWidget
{
    Q_OBJECT

public:
    Tile(QString symbol, QString title, QString value, QColor tint, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] qreal textHeight() const;

    QString m_symbol;
    QString m_title;
    QString m_value;
    QColor m_tint;
};

} // namespace wattlet
