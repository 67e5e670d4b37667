#pragma once

#include "sysfs_power_supply.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wattlet {

/// A supply that can power the laptop (mains, USB, wireless, UPS) in typed form.
struct ExternalSupply
{
    /// Adapter ratings beyond what USB PD can deliver are a driver's misreading.
    static constexpr std::int64_t maxWatts = 240;

    /// `online`; nothing when the supply does not say.
    std::optional<bool> online;
    /// A USB or USB-C port: the only kind that reports a rating and a name worth showing.
    bool usb = false;
    /// For USB: maker and model through cleanName(), else the kind ("USB-C PD", "USB-C", "USB").
    std::string name;
    /// For USB: `voltage_max` × `current_max`, else `input_power_limit`, rounded; 1–maxWatts.
    std::optional<std::int64_t> watts;

    bool operator==(const ExternalSupply&) const = default;
};

[[nodiscard]] ExternalSupply externalSupply(const PowerSupply& supply);

} // namespace wattlet
