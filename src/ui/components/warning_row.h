#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <string>

namespace wattlet {

/// A warning on a card tinted with `accent`: the symbol in that colour and the sentence, which
/// wraps over as many lines as it needs (heightForWidth).
class WarningRow : public QWidget
{
    Q_OBJECT

public:
    WarningRow(const QString& symbol, QString text, QColor accent, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;

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
