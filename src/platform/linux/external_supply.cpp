#include "external_supply.h"

#include "sysfs_units.h"

#include "core/clean_name.h"

#include <string_view>

namespace wattlet {

namespace {

    using SysfsUnits::micro;

    std::string usbKindName(std::string_view kind)
    {
        if (kind == "C" || kind == "TYPE_C")
            return "USB-C";
        if (kind == "PD" || kind == "PD_DRP")
            return "USB-C PD";
        if (kind == "PD_PPS")
            return "USB-C PD PPS";
        return "USB";
    }

    // A driver passes on whatever the charger says about itself.
    std::string adapterName(const PowerSupply& supply, std::string_view type)
    {
        const std::string maker = cleanName(supply.text("manufacturer").value_or(""));
        const std::string model = cleanName(supply.text("model_name").value_or(""));
        if (const std::string name = cleanName(maker + " " + model); !name.empty())
            return name;
        if (const auto usbType = supply.choice("usb_type"))
            return usbKindName(*usbType);
        return usbKindName(type.starts_with("USB_") ? type.substr(4) : std::string_view {});
    }

    std::optional<std::int64_t> adapterWatts(const PowerSupply& supply)
    {
        std::optional<double> watts;
        const auto voltage = supply.numberIn("voltage_max", 1, SysfsUnits::maxMicroValue);
        const auto current = supply.numberIn("current_max", 1, SysfsUnits::maxMicroValue);
        if (voltage && current)
            watts = static_cast<double>(*voltage) * static_cast<double>(*current) / (micro * micro);
        else if (const auto limit
            = supply.numberIn("input_power_limit", 1, SysfsUnits::maxMicroValue))
            watts = static_cast<double>(*limit) / micro;
        const auto value = watts ? SysfsUnits::rounded(*watts) : std::nullopt;
        if (value && *value >= 1 && *value <= ExternalSupply::maxWatts)
            return value;
        return std::nullopt;
    }

} // namespace

ExternalSupply externalSupply(const PowerSupply& supply)
{
    ExternalSupply external;
    if (const auto online = supply.number("online"))
        external.online = *online > 0;
    const auto type = supply.text("type").value_or("");
    external.usb = type.starts_with("USB");
    if (external.usb) {
        external.name = adapterName(supply, type);
        external.watts = adapterWatts(supply);
    }
    return external;
}

} // namespace wattlet
