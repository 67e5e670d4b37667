#include "combined_battery.h"

#include "sysfs_units.h"

#include <algorithm>

namespace wattlet {

namespace {

    using Int = std::int64_t;
    using Direction = RateSmoother::Direction;

    constexpr double fullPercent = 99;
    constexpr Int maxMinutes = 65534;

    bool idle(PackStatus status)
    {
        return status == PackStatus::notCharging || status == PackStatus::unknown;
    }

    double combinedPercent(const std::vector<BatteryPack>& packs)
    {
        double weighted = 0;
        double weights = 0;
        double plain = 0;
        bool allWeighted = true;
        for (const auto& pack : packs) {
            plain += pack.percent;
            allWeighted = allWeighted && pack.energyFullUWh;
            if (pack.energyFullUWh) {
                weighted += pack.percent * *pack.energyFullUWh;
                weights += *pack.energyFullUWh;
            }
        }
        if (allWeighted && weights > 0)
            return weighted / weights;
        return plain / static_cast<double>(packs.size());
    }

    bool onPower(const std::vector<ExternalSupply>& externals, PackStatus status,
        const std::vector<BatteryPack>& packs, double percent)
    {
        bool known = false;
        for (const auto& supply : externals) {
            if (supply.online == true)
                return true;
            known = known || supply.online.has_value();
        }
        if (known)
            return false;
        if (status == PackStatus::charging || status == PackStatus::full)
            return true;
        if (status == PackStatus::discharging)
            return false;
        return percent >= fullPercent
            || std::all_of(packs.begin(), packs.end(),
                [](const BatteryPack& pack) { return !idle(pack.status) || pack.heldByLimit(); });
    }

    double directed(Int value, PackStatus status, bool onAC)
    {
        const auto magnitude = static_cast<double>(value < 0 ? -value : value);
        if (status == PackStatus::charging)
            return magnitude;
        if (status == PackStatus::discharging || !onAC)
            return -magnitude;
        return static_cast<double>(value);
    }

    std::optional<double> sum(
        const std::vector<BatteryPack>& packs, std::optional<double> BatteryPack::* member)
    {
        double total = 0;
        for (const auto& pack : packs) {
            if (!(pack.*member))
                return std::nullopt;
            total += *(pack.*member);
        }
        return total;
    }

    std::optional<double> chargeLeftUAh(const std::vector<BatteryPack>& packs, Direction direction)
    {
        if (direction == Direction::idle)
            return std::nullopt;
        double total = 0;
        for (const auto& pack : packs) {
            if (!pack.nowUAh || !pack.fullUAh)
                return std::nullopt;
            const double now = std::min(*pack.nowUAh, *pack.fullUAh);
            if (direction == Direction::discharging) {
                total += now;
            } else {
                const double target
                    = *pack.fullUAh * static_cast<double>(pack.endLimit.value_or(100)) / 100;
                total += std::max(0.0, target - now);
            }
        }
        return total;
    }

    std::optional<Int> driverSecondsLeft(const std::vector<BatteryPack>& packs, Direction direction)
    {
        if (direction == Direction::idle || packs.size() != 1)
            return std::nullopt;
        const BatteryPack& pack = packs.front();
        if (direction == Direction::discharging)
            return pack.toEmptyS;
        // The driver counts to full; a limit stops charging sooner.
        if (pack.endLimit && *pack.endLimit < 100)
            return std::nullopt;
        return pack.toFullS;
    }

    std::optional<Charger> charger(const std::vector<ExternalSupply>& externals)
    {
        std::optional<Charger> best;
        for (const auto& supply : externals) {
            if (!supply.usb || supply.online != true || (best && supply.watts <= best->watts))
                continue;
            best = Charger { supply.name, supply.watts };
        }
        return best;
    }

    void addFlow(CombinedBattery& battery, const BatteryPack& pack)
    {
        if (pack.currentUA) {
            battery.measuredCurrent = true;
            battery.flowUA
                = battery.flowUA.value_or(0) + directed(*pack.currentUA, pack.status, battery.onAC);
        } else if (pack.powerUW && pack.conversionUV) {
            battery.flowUA = battery.flowUA.value_or(0)
                + directed(*pack.powerUW, pack.status, battery.onAC) / *pack.conversionUV
                    * SysfsUnits::micro;
        }
        if (pack.powerUW)
            battery.powerUW
                = battery.powerUW.value_or(0) + directed(*pack.powerUW, pack.status, battery.onAC);
    }

} // namespace

std::optional<CombinedBattery> combinedBattery(
    const std::vector<BatteryPack>& packs, const std::vector<ExternalSupply>& externals)
{
    if (packs.empty())
        return std::nullopt;
    const auto leading = std::max_element(packs.begin(), packs.end(),
        [](const BatteryPack& a, const BatteryPack& b) { return a.status < b.status; });
    CombinedBattery battery;
    battery.status = leading->status;
    battery.voltageUV = leading->voltageUV;
    battery.percent = combinedPercent(packs);
    battery.onAC = onPower(externals, battery.status, packs, battery.percent);
    battery.charging = battery.status == PackStatus::charging;
    battery.full = battery.status == PackStatus::full
        || (battery.onAC && idle(battery.status)
            && std::all_of(packs.begin(), packs.end(), [](const BatteryPack& pack) {
                   return pack.status == PackStatus::full || pack.percent >= fullPercent;
               }));
    battery.unexplainedHold = battery.onAC && !battery.full
        && battery.status == PackStatus::notCharging
        && std::any_of(packs.begin(), packs.end(), [](const BatteryPack& pack) {
               return pack.status == PackStatus::notCharging && !pack.heldByLimit();
           });
    battery.slowed = std::any_of(
        packs.begin(), packs.end(), [](const BatteryPack& pack) { return pack.slowed; });
    const bool everyPackLimited = std::all_of(packs.begin(), packs.end(),
        [](const BatteryPack& pack) { return pack.endLimit && *pack.endLimit < 100; });
    for (const auto& pack : packs) {
        addFlow(battery, pack);
        if (everyPackLimited)
            battery.chargeLimitPercent = std::max(battery.chargeLimitPercent, pack.endLimit);
        battery.cycles = std::max(battery.cycles, pack.cycles);
        battery.temperatureDeciC = std::max(battery.temperatureDeciC, pack.temperatureDeciC);
    }
    battery.designUAh = sum(packs, &BatteryPack::designUAh);
    battery.fullUAh = sum(packs, &BatteryPack::fullUAh);
    battery.nowUAh = sum(packs, &BatteryPack::nowUAh);
    battery.direction = battery.charging ? Direction::charging
        : battery.onAC                   ? Direction::idle
                                         : Direction::discharging;
    battery.driverSecondsLeft = driverSecondsLeft(packs, battery.direction);
    battery.chargeLeftUAh = chargeLeftUAh(packs, battery.direction);
    if (battery.onAC)
        battery.charger = charger(externals);
    return battery;
}

std::optional<std::int64_t> minutesLeft(
    const CombinedBattery& battery, std::optional<double> averageUA)
{
    std::optional<double> minutes;
    if (battery.direction == Direction::idle)
        return std::nullopt;
    if (battery.driverSecondsLeft)
        minutes = static_cast<double>(*battery.driverSecondsLeft) / 60;
    else if (battery.chargeLeftUAh && averageUA && *averageUA > 0)
        minutes = *battery.chargeLeftUAh / *averageUA * 60;
    const auto value = minutes ? SysfsUnits::rounded(*minutes) : std::nullopt;
    if (value && *value >= 1 && *value <= maxMinutes)
        return value;
    return std::nullopt;
}

} // namespace wattlet
