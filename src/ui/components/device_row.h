#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace wattlet {

/// One peripheral on one line: its kind's symbol in secondary colour, its name (cut with "…"
/// when narrow) and its charge at the trailing edge in `valueColor` (the text colour when invalid).
/// Its height is fixed; it takes the width it is given.
class DeviceRow : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    DeviceRow(
        QString symbol, QString name, QString value, QColor valueColor, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::StaticText, m_name + QStringLiteral(", ") + m_value, {}, {}, {}, -1 };
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QString m_name;
    QString m_value;
    QColor m_valueColor;
};

} // namespace wattlet
