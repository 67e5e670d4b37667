#include "about_page_view.h"

#include "app/brand.h"
#include "core/battery_text.h"

namespace wattlet {

AboutPageView aboutPageView()
{
    using BatteryText::t;
    const bool russian = BatteryText::language() == "ru";
    AboutPageView view;
    view.title = t("about");
    view.back = t("back");
    view.name = Brand::name(russian).toStdString();
    view.version = t("about.version") + " " + Brand::version().toStdString();
    view.made = t("about.made");
    view.local = t("about.local");
    view.links = { {
        { "person.fill", t("about.site"), Brand::authorURL().toString().toStdString() },
        { "safari", t("about.page"), Brand::pageURL().toString().toStdString() },
        { "hand.raised.fill", t("about.privacy"),
            Brand::privacyURL(russian).toString().toStdString() },
    } };
    return view;
}

} // namespace wattlet
