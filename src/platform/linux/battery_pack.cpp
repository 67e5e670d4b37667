#include "battery_pack.h"

#include "sysfs_units.h"

#include "core/battery_reading.h"

#include <algorithm>
#include <utility>

namespace wattlet {

namespace {

    using Int = std::int64_t;
    using SysfsUnits::maxMicroValue;
    using SysfsUnits::micro;

    constexpr Int lowestTemperatureDeciC = -400;
    constexpr Int highestTemperatureDeciC = 1000;
    // 65535 minutes in seconds: the "not available" value of smart batteries.
    constexpr Int unavailableSeconds = 3932100;

    std::optional<Int> positive(const PowerSupply& supply, std::string_view attribute)
    {
        return supply.numberIn(attribute, 1, maxMicroValue);
    }

    std::optional<Int> voltage(const PowerSupply& supply, std::string_view attribute)
    {
        return supply.numberIn(attribute, BatteryPack::leastVoltageUV, BatteryPack::mostVoltageUV);
    }

    PackStatus statusOf(const PowerSupply& supply)
    {
        const auto status = supply.text("status");
        if (status == "Charging")
            return PackStatus::charging;
        if (status == "Discharging")
            return PackStatus::discharging;
        if (status == "Not charging")
            return PackStatus::notCharging;
        if (status == "Full")
            return PackStatus::full;
        return PackStatus::unknown;
    }

    std::optional<double> percentOf(const PowerSupply& supply)
    {
        const bool knowsFull = positive(supply, "charge_full") || positive(supply, "energy_full");
        if (const auto capacity = supply.numberIn("capacity", 0, maxMicroValue)) {
            if (*capacity == 0 && !knowsFull)
                return std::nullopt;
            return static_cast<double>(std::min<Int>(*capacity, 100));
        }
        for (const auto& [now, full] : { std::pair { "charge_now", "charge_full" },
                 std::pair { "energy_now", "energy_full" } }) {
            const auto nowValue = supply.numberIn(now, 0, maxMicroValue);
            const auto fullValue = positive(supply, full);
            if (nowValue && fullValue)
                return std::min(
                    100.0, static_cast<double>(*nowValue) * 100 / static_cast<double>(*fullValue));
        }
        return std::nullopt;
    }

    // µAh from the charge attribute, else from the energy attribute at the pack's design voltage.
    std::optional<double> chargeUAh(const PowerSupply& supply, const char* charge,
        const char* energy, std::optional<double> conversionUV, Int least)
    {
        if (const auto value = supply.numberIn(charge, least, maxMicroValue))
            return static_cast<double>(*value);
        const auto value = supply.numberIn(energy, least, maxMicroValue);
        if (value && conversionUV)
            return static_cast<double>(*value) / *conversionUV * micro;
        return std::nullopt;
    }

    // The standard attribute when it can be read; the legacy alias only stands in for it.
    std::optional<Int> chargeLimit(
        const PowerSupply& supply, const char* standard, const char* alias)
    {
        const auto value = supply.number(standard) ? supply.number(standard) : supply.number(alias);
        if (value && *value >= 1 && *value <= 100)
            return value;
        return std::nullopt;
    }

} // namespace

bool BatteryPack::endLimitReached() const
{
    return endLimit
        && static_cast<Int>(percent) >= *endLimit - BatteryReading::chargeLimitSlackPercent;
}

bool BatteryPack::heldByLimit() const
{
    return inhibited || endLimitReached()
        || (startLimit && static_cast<Int>(percent) >= *startLimit);
}

std::optional<BatteryPack> batteryPack(const PowerSupply& supply)
{
    const auto percent = percentOf(supply);
    if (!percent)
        return std::nullopt;
    BatteryPack pack;
    pack.status = statusOf(supply);
    pack.percent = *percent;
    pack.voltageUV = voltage(supply, "voltage_now");
    for (const char* name : { "voltage_min_design", "voltage_max_design", "voltage_now" }) {
        if (const auto value = voltage(supply, name)) {
            pack.conversionUV = static_cast<double>(*value);
            break;
        }
    }
    pack.nowUAh = chargeUAh(supply, "charge_now", "energy_now", pack.conversionUV, 0);
    pack.fullUAh = chargeUAh(supply, "charge_full", "energy_full", pack.conversionUV, 1);
    pack.designUAh
        = chargeUAh(supply, "charge_full_design", "energy_full_design", pack.conversionUV, 1);
    if (const auto energy = positive(supply, "energy_full"))
        pack.energyFullUWh = static_cast<double>(*energy);
    else if (pack.fullUAh && pack.conversionUV)
        pack.energyFullUWh = *pack.fullUAh * *pack.conversionUV / micro;
    pack.currentUA
        = supply.numberIn("current_now", -BatteryPack::maxCurrentUA, BatteryPack::maxCurrentUA);
    pack.powerUW = supply.numberIn("power_now", -BatteryPack::maxPowerUW, BatteryPack::maxPowerUW);
    pack.cycles = positive(supply, "cycle_count");
    pack.temperatureDeciC
        = supply.numberIn("temp", lowestTemperatureDeciC, highestTemperatureDeciC);
    pack.toEmptyS = supply.numberIn("time_to_empty_now", 1, unavailableSeconds - 1);
    pack.toFullS = supply.numberIn("time_to_full_now", 1, unavailableSeconds - 1);
    pack.startLimit
        = chargeLimit(supply, "charge_control_start_threshold", "charge_start_threshold");
    pack.endLimit = chargeLimit(supply, "charge_control_end_threshold", "charge_stop_threshold");
    pack.inhibited = supply.choice("charge_behaviour") == "inhibit-charge";
    const auto health = supply.text("health");
    pack.slowed = supply.text("charge_type") == "Trickle" || health == "Overheat" || health == "Hot"
        || health == "Cold";
    const bool noFlow = pack.currentUA ? *pack.currentUA == 0 : pack.powerUW == Int { 0 };
    if (pack.status == PackStatus::charging && noFlow && pack.endLimitReached())
        pack.status = PackStatus::notCharging;
    return pack;
}

} // namespace wattlet
