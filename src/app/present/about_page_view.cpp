#include "about_page_view.h"

#include "page_parts.h"

#include "app/brand.h"
#include "core/battery_text.h"
#include "platform/machine_name.h"

namespace wattlet {

AboutPageView aboutPageView(Language language)
{
    const PageParts::Texts t { language };
    const bool russian = language == Language::ru;
    AboutPageView view;
    view.title = t("about");
    view.back = t("back");
    view.name = Brand::name(language).toStdString();
    view.version = t("about.version") + " " + Brand::version().toStdString();
    view.made = t("about.made");
    view.local = BatteryText::machineText("about.local", language, machineName());
    view.links = { {
        { "person.fill", t("about.site"), Brand::authorURL().toString().toStdString() },
        { "safari", t("about.page"), Brand::pageURL().toString().toStdString() },
        { "hand.raised.fill", t("about.privacy"),
            Brand::privacyURL(russian).toString().toStdString() },
    } };
    return view;
}

} // namespace wattlet
