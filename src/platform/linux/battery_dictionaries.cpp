#include "battery_dictionaries.h"

#include "combined_battery.h"
#include "supply_role.h"
#include "sysfs_units.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace wattlet {

namespace {

    using SysfsUnits::milli;

    constexpr std::int64_t reasonCode = 1;

    template <typename T>
    void put(PropertyDict& dict, const char* key, const std::optional<T>& value)
    {
        if (value)
            dict.emplace(key, *value);
    }

    std::optional<double> micro(std::optional<std::int64_t> value)
    {
        return value ? std::optional(static_cast<double>(*value)) : std::nullopt;
    }

    PropertyDict powerSource(const CombinedBattery& battery, std::optional<std::int64_t> minutes)
    {
        PropertyDict power;
        power.emplace("Type", "InternalBattery");
        power.emplace("Current Capacity", SysfsUnits::rounded(battery.percent).value_or(0));
        power.emplace("Max Capacity", 100);
        power.emplace("Is Charging", battery.charging);
        power.emplace("Is Charged", battery.full);
        power.emplace("Power Source State", battery.onAC ? "AC Power" : "Battery Power");
        put(power, battery.charging ? "Time to Full Charge" : "Time to Empty", minutes);
        return power;
    }

    PropertyDict batteryData(const CombinedBattery& battery)
    {
        PropertyDict data;
        const auto& full = battery.fullUAh;
        const auto& now = battery.nowUAh;
        put(data, "FullChargeCapacity", milli(full));
        put(data, "RemainingCapacity",
            milli(now && full ? std::optional(std::min(*now, *full)) : now));
        if (!battery.measuredCurrent)
            put(data, "BatteryPower", milli(battery.powerUW));
        return data;
    }

    PropertyDict registryEntry(const CombinedBattery& battery)
    {
        PropertyDict registry;
        registry.emplace("IsCharging", battery.charging);
        registry.emplace("ExternalConnected", battery.onAC);
        registry.emplace("FullyCharged", battery.full);
        put(registry, "Voltage", milli(micro(battery.voltageUV)));
        if (battery.measuredCurrent)
            put(registry, "InstantAmperage", milli(battery.flowUA));
        put(registry, "DesignCapacity", milli(battery.designUAh));
        put(registry, "CycleCount", battery.cycles);
        if (battery.temperatureDeciC)
            registry.emplace("Temperature", *battery.temperatureDeciC * 10);
        if (auto data = batteryData(battery); !data.empty())
            registry.emplace("BatteryData", std::move(data));
        if (battery.charger) {
            PropertyDict details { { "Name", battery.charger->name } };
            put(details, "Watts", battery.charger->watts);
            registry.emplace("AdapterDetails", std::move(details));
        }
        registry.emplace("ChargerData",
            PropertyDict {
                { "NotChargingReason", battery.unexplainedHold ? reasonCode : std::int64_t { 0 } },
                { "SlowChargingReason", battery.slowed ? reasonCode : std::int64_t { 0 } } });
        put(registry, "ChargeLimit", battery.chargeLimitPercent);
        return registry;
    }

} // namespace

std::optional<BatteryDictionaries> batteryDictionaries(
    const std::vector<PowerSupply>& supplies, RateSmoother& smoother, double now)
{
    std::vector<BatteryPack> packs;
    std::vector<ExternalSupply> externals;
    for (const auto& supply : supplies) {
        const auto role = supplyRole(supply);
        if (role == SupplyRole::external) {
            externals.push_back(externalSupply(supply));
        } else if (role == SupplyRole::battery) {
            if (auto pack = batteryPack(supply))
                packs.push_back(*pack);
        }
    }
    const auto battery = combinedBattery(packs, externals);
    if (!battery)
        return std::nullopt;
    const auto flow = battery->flowUA ? std::optional(std::abs(*battery->flowUA)) : std::nullopt;
    const auto averageUA = smoother.add(battery->direction, flow, now);
    return BatteryDictionaries { powerSource(*battery, minutesLeft(*battery, averageUA)),
        registryEntry(*battery), {} };
}

} // namespace wattlet
