#include "about_page.h"

#include "app/present/about_page_view.h"
#include "ui/components/link_row.h"
#include "ui/components/sub_header.h"
#include "ui/continuous_corners.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/text_label.h"
#include "ui/style.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

namespace wattlet {

AppIconView::AppIconView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(side, side);
}

void AppIconView::paintEvent(QPaintEvent*)
{
    const QIcon icon = QGuiApplication::windowIcon();
    if (icon.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRectF frame(0, 0, side, side);
    painter.setClipPath(continuousRoundedRect(frame, radius));
    // The largest rendition scaled down keeps the icon sharp at every pixel ratio.
    const QPixmap pixmap = icon.pixmap(icon.actualSize(QSize(1024, 1024)));
    painter.drawPixmap(frame, pixmap, QRectF(pixmap.rect()));
}

AboutPage::AboutPage(std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    using Style::TextWeight;
    const AboutPageView view = aboutPageView();
    QVBoxLayout* column = pageLayout(this, 12);
    column->addWidget(new SubHeader(qText(view.title), std::move(back)));
    column->addWidget(new AppIconView, 0, Qt::AlignHCenter);

    const auto centred = [column](TextLabel* label) {
        label->setAlignment(Qt::AlignHCenter);
        label->setWraps(true);
        column->addWidget(label);
    };
    centred(new TextLabel(qText(view.name), Style::font(20, TextWeight::bold, true)));
    centred(new TextLabel(qText(view.version), Style::font(12), LabelColor::secondary));
    centred(new TextLabel(qText(view.made), Style::font(13, TextWeight::semibold)));
    centred(new TextLabel(qText(view.local), Style::font(12), LabelColor::secondary));

    auto* links = new QVBoxLayout;
    links->setSpacing(6);
    for (const AboutPageView::Link& link : view.links)
        links->addWidget(new LinkRow(qText(link.symbol), qText(link.title), QUrl(qText(link.url))));
    column->addLayout(links);
}

} // namespace wattlet
