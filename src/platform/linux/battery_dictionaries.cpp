#include "battery_dictionaries.h"

#include "combined_battery.h"
#include "supply_role.h"
#include "sysfs_units.h"

#include "core/battery_keys.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace wattlet {

namespace {

    namespace K = BatteryKeys;
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
        power.emplace(K::type, K::internalBattery);
        power.emplace(K::currentCapacity, SysfsUnits::rounded(battery.percent).value_or(0));
        power.emplace(K::maxCapacity, 100);
        power.emplace(K::isCharging, battery.charging);
        power.emplace(K::isCharged, battery.full);
        power.emplace(K::powerSourceState, battery.onAC ? K::acPower : K::batteryPower);
        put(power, battery.charging ? K::timeToFullCharge : K::timeToEmpty, minutes);
        return power;
    }

    PropertyDict batteryData(const CombinedBattery& battery)
    {
        PropertyDict data;
        const auto& full = battery.fullUAh;
        const auto& now = battery.nowUAh;
        put(data, K::fullChargeCapacity, milli(full));
        put(data, K::remainingCapacity,
            milli(now && full ? std::optional(std::min(*now, *full)) : now));
        if (!battery.measuredCurrent)
            put(data, K::batteryPowerMW, milli(battery.powerUW));
        return data;
    }

    PropertyDict registryEntry(const CombinedBattery& battery)
    {
        PropertyDict registry;
        registry.emplace(K::registryIsCharging, battery.charging);
        registry.emplace(K::externalConnected, battery.onAC);
        registry.emplace(K::fullyCharged, battery.full);
        put(registry, K::voltage, milli(micro(battery.voltageUV)));
        if (battery.measuredCurrent)
            put(registry, K::instantAmperage, milli(battery.flowUA));
        put(registry, K::designCapacity, milli(battery.designUAh));
        put(registry, K::cycleCount, battery.cycles);
        if (battery.temperatureDeciC)
            registry.emplace(K::temperature, *battery.temperatureDeciC * 10);
        if (auto data = batteryData(battery); !data.empty())
            registry.emplace(K::batteryData, std::move(data));
        if (battery.charger) {
            PropertyDict details { { K::name, battery.charger->name } };
            put(details, K::watts, battery.charger->watts);
            registry.emplace(K::adapterDetails, std::move(details));
        }
        registry.emplace(K::chargerData,
            PropertyDict {
                { K::notChargingReason, battery.unexplainedHold ? reasonCode : std::int64_t { 0 } },
                { K::slowChargingReason, battery.slowed ? reasonCode : std::int64_t { 0 } } });
        put(registry, K::chargeLimit, battery.chargeLimitPercent);
        return registry;
    }

} // namespace

std::optional<BatteryDictionaries> batteryDictionaries(
    const std::vector<PowerSupply>& supplies, RateSmoother& smoother, double now, bool fixedLimit)
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
    auto battery = combinedBattery(packs, externals);
    if (!battery)
        return std::nullopt;
    if (fixedLimit)
        battery->unexplainedHold = false;
    const auto flow = battery->flowUA ? std::optional(std::abs(*battery->flowUA)) : std::nullopt;
    const auto averageUA = smoother.add(battery->direction, flow, now);
    auto minutes = minutesLeft(*battery, averageUA);
    // The driver's own time, too, mixes in the last direction's rate until it settles.
    if (battery->direction != RateSmoother::Direction::idle && !smoother.settled())
        minutes = K::stillComputingMinutes;
    auto registry = registryEntry(*battery);
    if (fixedLimit)
        registry.emplace(K::chargeLimitFixed, true);
    return BatteryDictionaries { powerSource(*battery, minutes), std::move(registry), {} };
}

} // namespace wattlet
