#pragma once

#include "ui/components/plain_button.h"

#include <QString>
#include <QUrl>

namespace wattlet {

/// An outgoing link on a card: symbol, title and a small arrow at the trailing edge (all
/// mirrored in a right-to-left panel). A click opens
/// `url` in the default browser; the address is its tooltip.
class LinkRow : public PlainButton
{
    Q_OBJECT

public:
    LinkRow(QString symbol, const QString& title, QUrl url, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] const QUrl& url() const { return m_url; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QUrl m_url;
};

} // namespace wattlet
