#include "status_item_view.h"

#include "core/battery_text.h"

namespace wattlet {

StatusItemView statusItemView(const std::optional<BatteryReading>& reading, bool showPercent)
{
    StatusItemView view;
    if (!reading) {
        view.symbol = "battery.0percent";
        view.tooltip = BatteryText::t("noBattery");
        return view;
    }
    view.symbol = reading->symbol();
    const std::string dot = reading->dot();
    if (dot == "red")
        view.tint = StatusTint::red;
    else if (dot == "yellow")
        view.tint = StatusTint::orange;
    if (showPercent)
        view.title = " " + std::to_string(reading->percent) + "%";
    view.tooltip = BatteryText::summary(*reading);
    return view;
}

} // namespace wattlet
