#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>

namespace wattlet {

/// A small statistic card: a tinted symbol badge at the leading edge, a title in secondary colour
/// and a value below it. The value shrinks to 80 % before it is cut; the title is cut. Its height
/// is fixed; it takes the width it is given. With an action it opens something: a click, Space or
/// Return runs the action, the pointer becomes a hand, and the card brightens under the pointer.
/// Read out as its title and value, a button with an action.
class Tile : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    Tile(QString symbol, QString title, QString value, QColor tint, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] AccessibleFace accessibleFace() const override;
    void accessibleAction(const QString& action, int choice) override;

    /// Makes the tile a button that runs `action`, described by `help` (tooltip and accessible
    /// description).
    void setAction(std::function<void()> action, const QString& help);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    [[nodiscard]] qreal textHeight() const;

    QString m_symbol;
    QString m_title;
    QString m_value;
    QColor m_tint;
    std::function<void()> m_action;
};

} // namespace wattlet
