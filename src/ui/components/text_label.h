#pragma once

#include "ui/accessibility/accessible_part.h"
#include "ui/theme/scheme.h"

#include <QFont>
#include <QString>
#include <QWidget>

namespace wattlet {

/// A text in one of the scheme's label colours, optionally led by a symbol of the text's size
/// (an icon-and-title label). By default it stays on one line and is cut with "…" when narrow;
/// with `setWraps(true)` it wraps over as many lines as it needs (heightForWidth). Colours are
/// looked up at paint time, so it follows the scheme of its panel.
class TextLabel : public QWidget, public AccessiblePart
{
    Q_OBJECT

public:
    TextLabel(QString text, const QFont& font, LabelColor color = LabelColor::primary,
        QWidget* parent = nullptr);

    [[nodiscard]] const QString& text() const { return m_text; }
    /// Qt::AlignLeft (default), AlignHCenter or AlignRight, for each line; left and right swap
    /// places in a right-to-left panel.
    void setAlignment(Qt::Alignment alignment);
    void setWraps(bool wraps);
    /// A symbol before the text (icon-and-title); one line only.
    void setSymbol(QString symbol);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return m_wraps; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] AccessibleFace accessibleFace() const override
    {
        return { QAccessible::StaticText, m_text, {}, {}, {}, -1 };
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QFont m_font;
    LabelColor m_color;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_wraps = false;
    QString m_symbol;
};

} // namespace wattlet
