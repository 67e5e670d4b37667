#pragma once

#include "ui/accessibility/accessible_part.h"

#include <QString>
#include <QWidget>

#include <functional>

class QAbstractButton;

namespace wattlet {

/// The title row of a secondary page: a back button (chevron and `backTitle` in malachite) at
/// the leading edge (the right in a right-to-left panel, its chevron pointing right), the title
/// in the middle, and an invisible copy of the back text at the trailing edge so the title stays
/// near the centre; a title too long for that takes the invisible copy's room before it is cut. The
/// back button runs `back` synchronously (destroying the header from it must be deferred).
class SubHeader : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    SubHeader(QString title, const QString& backTitle, std::function<void()> back,
        QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    /// The page's heading, holding the back button.
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::Heading, m_title, {}, {}, {}, -1 };
    }

    /// The back button (a child widget at the left edge).
    [[nodiscard]] QAbstractButton* backButton() const;
    /// Where the title is drawn, in widget coordinates (before cutting with "…").
    [[nodiscard]] QRectF titleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    [[nodiscard]] QRectF logicalTitleRect() const;
    void placeBackButton();
    /// The width of the invisible copy of the back text that balances the title.
    [[nodiscard]] qreal ghostWidth() const;

    QString m_title;
    QAbstractButton* m_backButton;
};

} // namespace wattlet
