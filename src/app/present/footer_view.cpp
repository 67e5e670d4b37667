#include "footer_view.h"

#include "app/brand.h"
#include "core/battery_text.h"

namespace wattlet {

FooterView footerView()
{
    using BatteryText::t;
    return { Brand::line().toStdString(), Brand::authorURL().toString().toStdString(), t("about"),
        t("settings"), t("act.quit") };
}

} // namespace wattlet
