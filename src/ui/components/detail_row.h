#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QString>
#include <QWidget>

namespace wattlet {

/// A label in secondary colour and its value at the trailing edge, at least 12 points apart. A
/// value too long for one line wraps onto a second line aligned to that edge and is cut after that.
/// Its height depends on its width (heightForWidth). Read out as the label and the value.
class DetailRow : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    DetailRow(QString k, QString v, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::StaticText, m_k + QStringLiteral(", ") + m_v, {}, {}, {}, -1 };
    }

    /// The least gap between the label and the value.
    static constexpr qreal minimumGap = 12;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Geometry;
    [[nodiscard]] Geometry layoutFor(qreal width) const;

    QString m_k;
    QString m_v;
};

} // namespace wattlet
