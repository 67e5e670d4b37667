#pragma once

#include "sysfs_power_supply.h"

namespace wattlet {

/// What a supply is to the laptop. `battery`: a present battery of scope System (a missing
/// scope or `present` counts as such). `external`: a Mains, USB, Wireless or UPS supply of scope
/// System, or an untyped one that has nothing but `online`. `none`: everything of scope Device
/// (mice, tablets), absent batteries, and supplies that say too little to tell.
enum class SupplyRole { none, battery, external };

[[nodiscard]] SupplyRole supplyRole(const PowerSupply& supply);

} // namespace wattlet
