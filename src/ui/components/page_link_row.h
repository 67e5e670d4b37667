#pragma once

#include "ui/components/plain_button.h"

#include <QString>

#include <functional>

namespace wattlet {

/// A settings row that opens a page of its own: the label at the leading edge, the gist of that
/// page in secondary colour and a chevron pointing onward at the trailing edge (mirrored in a
/// right-to-left panel). The whole row is the click target.
class PageLinkRow : public PlainButton
{
    Q_OBJECT

public:
    PageLinkRow(
        const QString& label, QString value, std::function<void()> open, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_value;
};

} // namespace wattlet
