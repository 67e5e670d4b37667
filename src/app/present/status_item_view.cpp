#include "status_item_view.h"

#include "core/battery_text.h"

namespace wattlet {

StatusItemView statusItemView(const std::optional<BatteryReading>& reading, bool showPercent,
    Language language, PercentStyle percentStyle, const Peripherals& devices,
    const WarningLevels& levels)
{
    StatusItemView view;
    view.percentStyle = percentStyle;
    if (!reading) {
        view.symbol = "battery.0percent";
        view.toolTipTitle = BatteryText::t("noBattery", language);
        view.toolTip = view.toolTipTitle;
        return view;
    }
    view.symbol = reading->symbol();
    view.onPower = reading->onAC;
    const std::string dot = reading->dot(levels);
    if (dot == "red")
        view.tint = StatusTint::red;
    else if (dot == "yellow")
        view.tint = StatusTint::orange;
    if (showPercent) {
        view.percent = reading->percent;
        view.title = " " + std::to_string(reading->percent) + "%";
    }
    const std::string summary = BatteryText::summary(*reading, devices, language);
    const size_t lineEnd = summary.find('\n');
    view.toolTipTitle = summary.substr(0, lineEnd);
    if (lineEnd != std::string::npos)
        view.toolTipBody = summary.substr(lineEnd + 1);
    view.toolTip = summary;
    return view;
}

PercentPlacement percentPlacement(const StatusItemView& view, bool hostDrawsLabels)
{
    if (!view.percent)
        return PercentPlacement::none;
    switch (view.percentStyle) {
    case PercentStyle::label:
        return PercentPlacement::label;
    case PercentStyle::icon:
        return PercentPlacement::icon;
    case PercentStyle::automatic:
        break;
    }
    return hostDrawsLabels ? PercentPlacement::label : PercentPlacement::icon;
}

} // namespace wattlet
