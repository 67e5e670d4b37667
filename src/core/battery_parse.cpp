#include "battery_parse.h"

#include "battery_keys.h"
#include "clean_name.h"
#include "int64_range.h"

#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace wattlet::BatteryParse {

namespace {

    namespace K = BatteryKeys;
    using Int = std::int64_t;
    constexpr Int intMax = std::numeric_limits<Int>::max();
    constexpr Int intMin = std::numeric_limits<Int>::min();

    const PropertyValue* find(const PropertyDict& dict, std::string_view key)
    {
        const auto it = dict.find(key);
        return it == dict.end() ? nullptr : &it->second;
    }

    template <typename T> const T* find(const PropertyDict& dict, std::string_view key)
    {
        const PropertyValue* value = find(dict, key);
        return value ? std::get_if<T>(&value->value) : nullptr;
    }

    std::optional<Int> integer(const PropertyDict& dict, std::string_view key)
    {
        return intValue(find(dict, key));
    }

    std::optional<bool> boolean(const PropertyDict& dict, std::string_view key)
    {
        const bool* b = find<bool>(dict, key);
        return b ? std::optional<bool>(*b) : std::nullopt;
    }

    std::optional<std::string> text(const PropertyDict& dict, std::string_view key)
    {
        const std::string* s = find<std::string>(dict, key);
        return s ? std::optional<std::string>(*s) : std::nullopt;
    }

    const PropertyDict* dictionary(const PropertyDict& dict, std::string_view key)
    {
        return find<PropertyDict>(dict, key);
    }

    // The first link of a chain that holds a value, or absent.
    template <typename T, typename... Rest>
    std::optional<T> firstOf(std::optional<T> first, Rest&&... rest)
    {
        if constexpr (sizeof...(rest) == 0)
            return first;
        else
            return first ? first : firstOf(std::forward<Rest>(rest)...);
    }

    // cur × 100 / max truncated toward zero and clamped to 0…100, for max ≥ 1, exact for every
    // input.
    Int scaledPercent(Int cur, Int max)
    {
        if (cur <= 0)
            return 0;
        if (cur >= max)
            return 100;
        // cur × 100 may not fit in 64 bits: build it bit by bit of 100 as a quotient and a
        // remainder of max instead. Both stay below max < 2^63, so their sum cannot wrap.
        const auto c = static_cast<std::uint64_t>(cur);
        const auto m = static_cast<std::uint64_t>(max);
        std::uint64_t quotient = 0;
        std::uint64_t remainder = 0;
        const auto carry = [&] {
            if (remainder >= m) {
                remainder -= m;
                ++quotient;
            }
        };
        for (int bit = 6; bit >= 0; --bit) {
            quotient *= 2;
            remainder *= 2;
            carry();
            if ((100 >> bit) & 1) {
                remainder += c;
                carry();
            }
        }
        return static_cast<Int>(quotient);
    }

    // mW × 1000 / mV, or absent when the product leaves the int64 range.
    std::optional<Int> currentFromPower(Int powerMW, Int voltageMV)
    {
        if (powerMW > intMax / 1000 || powerMW < intMin / 1000)
            return std::nullopt;
        return powerMW * 1000 / voltageMV;
    }

    std::optional<double> temperature(const PropertyDict& registry, const PropertyDict& pack)
    {
        for (const auto& candidate : { integer(pack, K::temperature),
                 integer(registry, K::temperature), integer(pack, K::virtualTemperature) }) {
            if (!candidate)
                continue;
            // Hundredths of a degree; anything outside 5–80 °C is a sensor glitch, not heat.
            const double celsius = static_cast<double>(*candidate) / 100.0;
            if (celsius >= 5.0 && celsius <= 80.0)
                return celsius;
        }
        return std::nullopt;
    }

    const PropertyDict& emptyDict()
    {
        static const PropertyDict empty;
        return empty;
    }

} // namespace

std::optional<std::int64_t> intValue(const PropertyValue* value)
{
    if (!value)
        return std::nullopt;
    const auto number = std::visit(
        [](const auto& v) -> std::optional<Int> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int64_t>)
                return v;
            else if constexpr (std::is_same_v<T, std::uint64_t>)
                return static_cast<Int>(v); // two's complement bit pattern (C++20)
            else if constexpr (std::is_same_v<T, double>)
                return truncatedInt64(v);
            else
                return std::nullopt;
        },
        value->value);
    if (!number)
        return std::nullopt;
    // The registry hands out 32-bit signed counters as unsigned: read the low word back.
    constexpr Int twoTo31 = Int { 1 } << 31;
    constexpr Int twoTo32 = Int { 1 } << 32;
    if (*number >= twoTo31 && *number < twoTo32)
        return *number - twoTo32;
    return number;
}

BatteryReading reading(
    const PropertyDict& power, const PropertyDict& registry, const PropertyDict& pack, double now)
{
    BatteryReading r;
    r.present = true;
    r.updated = now;

    const PropertyDict* batteryDataEntry = dictionary(registry, K::batteryData);
    const PropertyDict& batteryData = batteryDataEntry ? *batteryDataEntry : emptyDict();

    const Int cur
        = firstOf(integer(power, K::currentCapacity), integer(registry, K::registryCurrentCapacity))
              .value_or(0);
    const Int max
        = firstOf(integer(power, K::maxCapacity), integer(registry, K::registryMaxCapacity))
              .value_or(100);
    r.percent = max >= 1 ? scaledPercent(cur, max) : cur;

    r.charging = firstOf(boolean(power, K::isCharging), boolean(registry, K::registryIsCharging))
                     .value_or(false);
    if (const auto source = text(power, K::powerSourceState))
        r.onAC = *source == K::acPower;
    else
        r.onAC = boolean(registry, K::externalConnected).value_or(false);
    r.full
        = firstOf(boolean(power, K::isCharged), boolean(registry, K::fullyCharged)).value_or(false);

    const auto minutes = r.charging
        ? firstOf(integer(power, K::timeToFullCharge), integer(registry, K::avgTimeToFull))
        : firstOf(integer(power, K::timeToEmpty), integer(registry, K::avgTimeToEmpty));
    if (minutes && *minutes >= 1 && *minutes < K::stillComputingMinutes)
        r.minutesLeft = minutes;
    r.timeSettling = minutes == K::stillComputingMinutes;

    r.amperageMA = firstOf(integer(registry, K::instantAmperage), integer(registry, K::amperage),
        integer(batteryData, K::amperage));
    r.voltageMV = firstOf(integer(registry, K::voltage), integer(registry, K::rawBatteryVoltage));
    if (!r.amperageMA && r.voltageMV && *r.voltageMV >= 1) {
        if (const auto powerMW = integer(batteryData, K::batteryPowerMW); powerMW && *powerMW != 0)
            r.amperageMA = currentFromPower(*powerMW, *r.voltageMV);
    }

    // A registry may still describe the last adapter after it was unplugged.
    if (const PropertyDict* adapter = dictionary(registry, K::adapterDetails); r.onAC && adapter) {
        r.adapterWatts = integer(*adapter, K::watts);
        const auto name = firstOf(text(*adapter, K::name), text(*adapter, K::description));
        if (std::string clean = cleanName(name.value_or("")); !clean.empty())
            r.adapterName = std::move(clean);
    }

    r.designCapacity
        = firstOf(integer(registry, K::designCapacity), integer(batteryData, K::designCapacity));
    r.fullCapacity = firstOf(integer(batteryData, K::fullChargeCapacity),
        integer(registry, K::rawMaxCapacity), integer(batteryData, K::nominalChargeCapacity),
        integer(registry, K::nominalChargeCapacity));
    r.remainingCapacity = firstOf(
        integer(batteryData, K::remainingCapacity), integer(registry, K::rawCurrentCapacity));
    r.cycles = firstOf(integer(registry, K::cycleCount), integer(batteryData, K::cycleCount));
    r.temperatureC = temperature(registry, pack);

    if (const PropertyDict* charger = dictionary(registry, K::chargerData)) {
        r.notChargingReason = integer(*charger, K::notChargingReason);
        r.slowChargingReason = integer(*charger, K::slowChargingReason);
        r.thermallyLimitedSeconds = integer(*charger, K::timeChargingThermallyLimited);
    }
    // Only a limit below full charge limits anything.
    if (const auto limit = integer(registry, K::chargeLimit); limit && *limit >= 1 && *limit <= 99)
        r.chargeLimitPercent = limit;
    r.fixedChargeLimit = boolean(registry, K::chargeLimitFixed).value_or(false);
    return r;
}

} // namespace wattlet::BatteryParse
