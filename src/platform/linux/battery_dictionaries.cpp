#include "battery_dictionaries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace wattlet {

namespace {

    using Int = std::int64_t;
    using Direction = RateSmoother::Direction;

    // Ordered by weight when packs are combined: one that moves charge wins over one that holds,
    // so a flat or idle second pack cannot hide a working first one.
    enum class Status { full, unknown, notCharging, discharging, charging };

    constexpr double micro = 1e6;
    constexpr Int maxMicroValue = Int { 1 } << 40;
    constexpr Int lowestTemperatureDeciC = -400;
    constexpr Int highestTemperatureDeciC = 1000;
    // 65535 minutes in seconds: the "not available" value of smart batteries.
    constexpr Int unavailableSeconds = 3932100;
    constexpr Int maxMinutes = 65534;
    constexpr double maxAdapterWatts = 240;
    // An idle battery on power at or above this level is full: firmware does not top up the last
    // point or two.
    constexpr double fullPercent = 99;
    // A hold within this many points below the user's charge limit counts as the limit reached.
    constexpr Int limitSlack = 2;
    constexpr Int reasonCode = 1;

    // Attributes only a battery has, for old kernels that give no `type`.
    constexpr std::array batteryAttributes
        = { "status", "capacity", "charge_now", "charge_full", "energy_now", "energy_full",
              "cycle_count", "charge_control_end_threshold", "charge_stop_threshold" };

    struct Pack
    {
        Status status = Status::unknown;
        double percent = 0;
        std::optional<double> energyFullUWh;
        std::optional<Int> voltageUV;
        std::optional<double> conversionUV;
        std::optional<double> nowUAh;
        std::optional<double> fullUAh;
        std::optional<double> designUAh;
        std::optional<Int> currentUA;
        std::optional<Int> powerUW;
        std::optional<Int> cycles;
        std::optional<Int> temperatureDeciC;
        std::optional<Int> toEmptyS;
        std::optional<Int> toFullS;
        std::optional<Int> startLimit;
        std::optional<Int> endLimit;
        bool inhibited = false;
        bool slowed = false;
    };

    std::optional<Int> inRange(
        const PowerSupply& supply, std::string_view attribute, Int least, Int most)
    {
        const auto value = supply.number(attribute);
        if (value && *value >= least && *value <= most)
            return value;
        return std::nullopt;
    }

    std::optional<Int> positive(const PowerSupply& supply, std::string_view attribute)
    {
        return inRange(supply, attribute, 1, maxMicroValue);
    }

    std::optional<Int> rounded(double value)
    {
        if (!std::isfinite(value) || std::abs(value) > static_cast<double>(maxMicroValue))
            return std::nullopt;
        return static_cast<Int>(std::llround(value));
    }

    std::optional<Int> milli(std::optional<double> micros)
    {
        return micros ? rounded(*micros / 1000) : std::nullopt;
    }

    std::optional<Int> milli(std::optional<Int> micros)
    {
        return micros ? rounded(static_cast<double>(*micros) / 1000) : std::nullopt;
    }

    Status statusOf(const PowerSupply& supply)
    {
        const auto status = supply.text("status");
        if (status == "Charging")
            return Status::charging;
        if (status == "Discharging")
            return Status::discharging;
        if (status == "Not charging")
            return Status::notCharging;
        if (status == "Full")
            return Status::full;
        return Status::unknown;
    }

    bool idle(Status status) { return status == Status::notCharging || status == Status::unknown; }

    std::string_view selectedChoice(std::string_view choices)
    {
        const auto open = choices.find('[');
        const auto close = choices.find(']', open);
        if (open == std::string_view::npos || close == std::string_view::npos)
            return choices;
        return choices.substr(open + 1, close - open - 1);
    }

    bool isSystem(const PowerSupply& supply) { return supply.text("scope") != "Device"; }

    bool isBattery(const PowerSupply& supply)
    {
        if (const auto type = supply.text("type"))
            return *type == "Battery";
        return std::any_of(batteryAttributes.begin(), batteryAttributes.end(),
            [&](const char* name) { return supply.attributes.contains(name); });
    }

    // Mains, USB, Wireless, UPS; an untyped supply counts when it has nothing but `online`.
    bool isExternal(const PowerSupply& supply)
    {
        if (const auto type = supply.text("type"))
            return *type != "Battery";
        return !isBattery(supply) && supply.attributes.contains("online");
    }

    // A charge level, or nothing when the pack gives none worth showing: a 0 % from a gauge that
    // knows no full capacity either is the all-zero read of a confused driver, not an empty
    // battery.
    std::optional<double> percentOf(const PowerSupply& supply)
    {
        const bool knowsFull = positive(supply, "charge_full") || positive(supply, "energy_full");
        if (const auto capacity = inRange(supply, "capacity", 0, maxMicroValue)) {
            if (*capacity == 0 && !knowsFull)
                return std::nullopt;
            return static_cast<double>(std::min<Int>(*capacity, 100));
        }
        for (const auto& [now, full] : { std::pair { "charge_now", "charge_full" },
                 std::pair { "energy_now", "energy_full" } }) {
            const auto nowValue = inRange(supply, now, 0, maxMicroValue);
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
        if (const auto value = inRange(supply, charge, least, maxMicroValue))
            return static_cast<double>(*value);
        const auto value = inRange(supply, energy, least, maxMicroValue);
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

    bool endLimitReached(const Pack& pack)
    {
        return pack.endLimit && static_cast<Int>(pack.percent) >= *pack.endLimit - limitSlack;
    }

    // A hold the user asked for: charging inhibited, the stop limit reached, or the level still at
    // or above the limit below which charging restarts.
    bool heldByLimit(const Pack& pack)
    {
        return pack.inhibited || endLimitReached(pack)
            || (pack.startLimit && static_cast<Int>(pack.percent) >= *pack.startLimit);
    }

    std::optional<Pack> packOf(const PowerSupply& supply)
    {
        const auto percent = percentOf(supply);
        if (!percent)
            return std::nullopt;
        Pack pack;
        pack.status = statusOf(supply);
        pack.percent = *percent;
        pack.voltageUV = positive(supply, "voltage_now");
        for (const char* name : { "voltage_min_design", "voltage_max_design", "voltage_now" }) {
            if (const auto voltage = positive(supply, name)) {
                pack.conversionUV = static_cast<double>(*voltage);
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
        pack.currentUA = inRange(supply, "current_now", -maxMicroValue, maxMicroValue);
        pack.powerUW = inRange(supply, "power_now", -maxMicroValue, maxMicroValue);
        pack.cycles = positive(supply, "cycle_count");
        pack.temperatureDeciC
            = inRange(supply, "temp", lowestTemperatureDeciC, highestTemperatureDeciC);
        pack.toEmptyS = inRange(supply, "time_to_empty_now", 1, unavailableSeconds - 1);
        pack.toFullS = inRange(supply, "time_to_full_now", 1, unavailableSeconds - 1);
        pack.startLimit
            = chargeLimit(supply, "charge_control_start_threshold", "charge_start_threshold");
        pack.endLimit
            = chargeLimit(supply, "charge_control_end_threshold", "charge_stop_threshold");
        if (const auto behaviour = supply.text("charge_behaviour"))
            pack.inhibited = selectedChoice(*behaviour) == "inhibit-charge";
        const auto health = supply.text("health");
        pack.slowed = supply.text("charge_type") == "Trickle" || health == "Overheat"
            || health == "Hot" || health == "Cold";
        // Some firmware holds at the user's stop limit but keeps saying "Charging".
        const bool noFlow = pack.currentUA ? *pack.currentUA == 0 : pack.powerUW == Int { 0 };
        if (pack.status == Status::charging && noFlow && endLimitReached(pack))
            pack.status = Status::notCharging;
        return pack;
    }

    double combinedPercent(const std::vector<Pack>& packs)
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

    // Whether external power is connected: any online system supply; with no supply that says,
    // the batteries' status decides. An idle battery means power only when it is full or held at a
    // limit the user set: small gauges report "Not charging" on battery when no current flows.
    bool onPower(const std::vector<const PowerSupply*>& externals, Status status,
        const std::vector<Pack>& packs, double percent)
    {
        bool known = false;
        for (const auto* supply : externals) {
            if (const auto online = supply->number("online")) {
                if (*online > 0)
                    return true;
                known = true;
            }
        }
        if (known)
            return false;
        if (status == Status::charging || status == Status::full)
            return true;
        if (status == Status::discharging)
            return false;
        return percent >= fullPercent
            || std::all_of(packs.begin(), packs.end(),
                [](const Pack& pack) { return !idle(pack.status) || heldByLimit(pack); });
    }

    // The current's direction comes from the status: drivers disagree on its sign.
    double directed(Int value, Status status, bool onAC)
    {
        const auto magnitude = static_cast<double>(value < 0 ? -value : value);
        if (status == Status::charging)
            return magnitude;
        if (status == Status::discharging || !onAC)
            return -magnitude;
        return static_cast<double>(value);
    }

    std::optional<double> sum(const std::vector<Pack>& packs, std::optional<double> Pack::*member)
    {
        double total = 0;
        for (const auto& pack : packs) {
            if (!(pack.*member))
                return std::nullopt;
            total += *(pack.*member);
        }
        return total;
    }

    std::optional<double> remainingUAh(const std::vector<Pack>& packs, Direction direction)
    {
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

    std::optional<Int> validMinutes(std::optional<double> minutes)
    {
        const auto value = minutes ? rounded(*minutes) : std::nullopt;
        if (value && *value >= 1 && *value <= maxMinutes)
            return value;
        return std::nullopt;
    }

    // The driver's own time for a single pack, else the remaining charge over the smoothed rate.
    std::optional<Int> minutesLeft(
        const std::vector<Pack>& packs, Direction direction, std::optional<double> averageUA)
    {
        if (direction == Direction::idle)
            return std::nullopt;
        if (packs.size() == 1) {
            const auto seconds
                = direction == Direction::charging ? packs.front().toFullS : packs.front().toEmptyS;
            if (seconds)
                return validMinutes(static_cast<double>(*seconds) / 60);
        }
        const auto remaining = remainingUAh(packs, direction);
        if (!remaining || !averageUA || *averageUA <= 0)
            return std::nullopt;
        return validMinutes(*remaining / *averageUA * 60);
    }

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

    std::string adapterName(const PowerSupply& supply, std::string_view type)
    {
        const auto maker = supply.text("manufacturer");
        const auto model = supply.text("model_name");
        if (maker && model)
            return std::string(*maker) + " " + std::string(*model);
        if (maker || model)
            return std::string(maker ? *maker : *model);
        if (const auto usbType = supply.text("usb_type"))
            return usbKindName(selectedChoice(*usbType));
        return usbKindName(type.starts_with("USB_") ? type.substr(4) : std::string_view {});
    }

    // Rated power of a USB supply; a rating beyond what USB PD can deliver is a driver's
    // misreading.
    std::optional<Int> adapterWatts(const PowerSupply& supply)
    {
        std::optional<double> watts;
        const auto voltage = positive(supply, "voltage_max");
        const auto current = positive(supply, "current_max");
        if (voltage && current)
            watts = static_cast<double>(*voltage) * static_cast<double>(*current) / (micro * micro);
        else if (const auto limit = positive(supply, "input_power_limit"))
            watts = static_cast<double>(*limit) / micro;
        const auto value = watts ? rounded(*watts) : std::nullopt;
        if (value && *value >= 1 && static_cast<double>(*value) <= maxAdapterWatts)
            return value;
        return std::nullopt;
    }

    // The online USB supply with the highest rating; plain mains adapters report none.
    std::optional<PropertyDict> adapterDetails(const std::vector<const PowerSupply*>& externals)
    {
        std::optional<PropertyDict> best;
        std::optional<Int> bestWatts;
        for (const auto* supply : externals) {
            const auto type = supply->text("type").value_or("");
            if (!type.starts_with("USB") || supply->number("online").value_or(0) <= 0)
                continue;
            const auto watts = adapterWatts(*supply);
            if (best && watts <= bestWatts)
                continue;
            PropertyDict details { { "Name", adapterName(*supply, type) } };
            if (watts)
                details.emplace("Watts", *watts);
            best = std::move(details);
            bestWatts = watts;
        }
        return best;
    }

    template <typename T>
    void put(PropertyDict& dict, const char* key, const std::optional<T>& value)
    {
        if (value)
            dict.emplace(key, *value);
    }

} // namespace

std::optional<BatteryDictionaries> batteryDictionaries(
    const std::vector<PowerSupply>& supplies, RateSmoother& smoother, double now)
{
    std::vector<Pack> packs;
    std::vector<const PowerSupply*> externals;
    for (const auto& supply : supplies) {
        if (!isSystem(supply))
            continue;
        if (isExternal(supply)) {
            externals.push_back(&supply);
        } else if (isBattery(supply) && supply.number("present").value_or(1) != 0) {
            if (auto pack = packOf(supply))
                packs.push_back(std::move(*pack));
        }
    }
    if (packs.empty())
        return std::nullopt;

    const auto leading = std::max_element(packs.begin(), packs.end(),
        [](const Pack& a, const Pack& b) { return a.status < b.status; });
    const Status status = leading->status;
    const double percent = combinedPercent(packs);
    const bool onAC = onPower(externals, status, packs, percent);
    const bool charging = status == Status::charging;
    const bool full = status == Status::full
        || (onAC && idle(status) && std::all_of(packs.begin(), packs.end(), [](const Pack& pack) {
               return pack.status == Status::full || pack.percent >= fullPercent;
           }));

    std::optional<double> flowUA;
    std::optional<double> powerUW;
    bool anyCurrent = false;
    for (const auto& pack : packs) {
        if (pack.currentUA) {
            anyCurrent = true;
            flowUA = flowUA.value_or(0) + directed(*pack.currentUA, pack.status, onAC);
        } else if (pack.powerUW && pack.conversionUV) {
            flowUA = flowUA.value_or(0)
                + directed(*pack.powerUW, pack.status, onAC) / *pack.conversionUV * micro;
        }
        if (pack.powerUW)
            powerUW = powerUW.value_or(0) + directed(*pack.powerUW, pack.status, onAC);
    }
    const auto direction = charging ? Direction::charging
        : onAC                      ? Direction::idle
                                    : Direction::discharging;
    const auto averageUA
        = smoother.add(direction, flowUA ? std::optional(std::abs(*flowUA)) : std::nullopt, now);

    BatteryDictionaries result;
    auto& power = result.power;
    power.emplace("Type", "InternalBattery");
    power.emplace("Current Capacity", rounded(percent).value_or(0));
    power.emplace("Max Capacity", 100);
    power.emplace("Is Charging", charging);
    power.emplace("Is Charged", full);
    power.emplace("Power Source State", onAC ? "AC Power" : "Battery Power");
    put(power, charging ? "Time to Full Charge" : "Time to Empty",
        minutesLeft(packs, direction, averageUA));

    auto& registry = result.registry;
    registry.emplace("IsCharging", charging);
    registry.emplace("ExternalConnected", onAC);
    registry.emplace("FullyCharged", full);
    put(registry, "Voltage", milli(leading->voltageUV));
    if (anyCurrent)
        put(registry, "InstantAmperage", milli(flowUA));
    put(registry, "DesignCapacity", milli(sum(packs, &Pack::designUAh)));
    std::optional<Int> cycles;
    std::optional<Int> temperature;
    for (const auto& pack : packs) {
        cycles = std::max(cycles, pack.cycles);
        temperature = std::max(temperature, pack.temperatureDeciC);
    }
    put(registry, "CycleCount", cycles);
    put(registry, "Temperature", temperature ? std::optional(*temperature * 10) : std::nullopt);

    PropertyDict batteryData;
    const auto fullUAh = sum(packs, &Pack::fullUAh);
    const auto nowUAh = sum(packs, &Pack::nowUAh);
    put(batteryData, "FullChargeCapacity", milli(fullUAh));
    put(batteryData, "RemainingCapacity",
        milli(nowUAh && fullUAh ? std::optional(std::min(*nowUAh, *fullUAh)) : nowUAh));
    if (!anyCurrent)
        put(batteryData, "BatteryPower", milli(powerUW));
    if (!batteryData.empty())
        registry.emplace("BatteryData", std::move(batteryData));
    if (onAC)
        put(registry, "AdapterDetails", adapterDetails(externals));

    const bool unexplainedHold = onAC && !full && status == Status::notCharging
        && std::any_of(packs.begin(), packs.end(), [](const Pack& pack) {
               return pack.status == Status::notCharging && !heldByLimit(pack);
           });
    const bool slowed
        = std::any_of(packs.begin(), packs.end(), [](const Pack& pack) { return pack.slowed; });
    registry.emplace("ChargerData",
        PropertyDict { { "NotChargingReason", unexplainedHold ? reasonCode : Int { 0 } },
            { "SlowChargingReason", slowed ? reasonCode : Int { 0 } } });
    return result;
}

} // namespace wattlet
