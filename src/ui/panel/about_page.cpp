#include "about_page.h"

#include "page_layout.h"

#include "app/present/about_page_view.h"
#include "ui/components/app_icon_view.h"
#include "ui/components/link_row.h"
#include "ui/components/sub_header.h"
#include "ui/components/text_label.h"
#include "ui/drawing/qt_text.h"
#include "ui/theme/style.h"

#include <QUrl>
#include <QVBoxLayout>

namespace wattlet {

AboutPage::AboutPage(Language language, std::function<void()> back, QWidget* parent)
    : QWidget(parent)
{
    using Style::TextWeight;
    const AboutPageView view = aboutPageView(language);
    QVBoxLayout* column = pageLayout(this, 12);
    column->addWidget(new SubHeader(qText(view.title), qText(view.back), std::move(back)));
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
