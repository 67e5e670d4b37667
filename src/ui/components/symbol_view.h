#pragma once

#include "ui/accessibility/accessible_part.h"
#include "ui/theme/scheme.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace wattlet {

/// A symbol at the size it has beside text of `fontSize` points, in a fixed colour or in a label
/// colour of the scheme.
class SymbolView : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    SymbolView(QString name, qreal fontSize, QColor color, QWidget* parent = nullptr);
    SymbolView(QString name, qreal fontSize, LabelColor color, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    /// An image, unnamed: the text beside it says what it means.
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::Graphic, {}, {}, {}, {}, -1 };
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    qreal m_fontSize;
    QColor m_color;
    LabelColor m_label = LabelColor::primary;
};

} // namespace wattlet
