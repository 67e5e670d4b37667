#include "footer_view.h"

#include "app/brand.h"
#include "core/battery_text.h"

namespace wattlet {

FooterView footerView(Language language)
{
    using BatteryText::t;
    return { Brand::line().toStdString(), Brand::authorURL().toString().toStdString(),
        { "info.circle", t("about", language) }, { "gearshape", t("settings", language) },
        { "power", t("act.quit", language) } };
}

} // namespace wattlet
