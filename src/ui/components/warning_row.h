#pragma once

#include <QString>
#include <QWidget>

namespace wattlet {

/// A warning on a tinted card: a triangle symbol and the sentence, which wraps over as many
/// lines as it needs (heightForWidth). Red when `hot`, else yellow.
class WarningRow : public QWidget
{
    Q_OBJECT

public:
    WarningRow(QString text, bool hot, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;

    /// The card and symbol colour.
    [[nodiscard]] QColor accent() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] qreal textLeft() const;

    QString m_text;
    bool m_hot;
};

} // namespace wattlet
