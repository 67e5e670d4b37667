#include "supply_role.h"

#include <algorithm>
#include <array>

namespace wattlet {

namespace {

    // Attributes only a battery has, for old kernels that give no `type`.
    constexpr std::array batteryAttributes
        = { "status", "capacity", "charge_now", "charge_full", "energy_now", "energy_full",
              "cycle_count", "charge_control_end_threshold", "charge_stop_threshold" };

    bool hasBatteryAttribute(const PowerSupply& supply)
    {
        return std::any_of(batteryAttributes.begin(), batteryAttributes.end(),
            [&](const char* name) { return supply.attributes.contains(name); });
    }

} // namespace

SupplyRole supplyRole(const PowerSupply& supply)
{
    if (supply.text("scope") == "Device")
        return SupplyRole::none;
    const auto type = supply.text("type");
    const bool battery = type ? *type == "Battery" : hasBatteryAttribute(supply);
    if (!battery)
        return type || supply.attributes.contains("online") ? SupplyRole::external
                                                            : SupplyRole::none;
    return supply.number("present").value_or(1) != 0 ? SupplyRole::battery : SupplyRole::none;
}

} // namespace wattlet
