#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <string>

namespace wattlet {

/// A warning on a card tinted with `accent`: the symbol in that colour and the sentence, which
/// wraps over as many lines as it needs (heightForWidth).
class WarningRow : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    WarningRow(const QString& symbol, QString text, QColor accent, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    /// Read out as an alert, which screen readers speak when it appears.
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::AlertMessage, m_text, {}, {}, {}, -1 };
    }

    /// The card and symbol colour.
    [[nodiscard]] QColor accent() const { return m_accent; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] qreal textLeft() const;

    std::string m_symbol;
    QString m_text;
    QColor m_accent;
};

} // namespace wattlet
