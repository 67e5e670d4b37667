#include "reading_json.h"

#include "battery_text.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <optional>

namespace wattlet {

namespace {

    template <typename T>
    void put(nlohmann::ordered_json& json, const char* key, const std::optional<T>& value)
    {
        if (!value)
            return;
        if constexpr (std::is_floating_point_v<T>) {
            if (!std::isfinite(*value))
                return;
        }
        json[key] = *value;
    }

    nlohmann::ordered_json readingObject(const BatteryReading& reading, const WarningLevels& levels)
    {
        nlohmann::ordered_json json;
        json["present"] = reading.present;
        json["percent"] = reading.percent;
        json["charging"] = reading.charging;
        json["onAC"] = reading.onAC;
        json["full"] = reading.full;
        const auto estimate = reading.timeEstimate();
        put(json, "minutesLeft", estimate.minutes);
        put(json, "amperageMA", reading.amperageMA);
        put(json, "voltageMV", reading.voltageMV);
        put(json, "adapterWatts", reading.adapterWatts);
        put(json, "adapterName", reading.adapterName);
        put(json, "designCapacity", reading.designCapacity);
        put(json, "fullCapacity", reading.fullCapacity);
        put(json, "remainingCapacity", reading.remainingCapacity);
        put(json, "cycles", reading.cycles);
        put(json, "temperatureC", reading.temperatureC);
        put(json, "notChargingReason", reading.notChargingReason);
        put(json, "slowChargingReason", reading.slowChargingReason);
        put(json, "thermallyLimitedSeconds", reading.thermallyLimitedSeconds);
        put(json, "chargeLimitPercent", reading.chargeLimitPercent);
        if (reading.fixedChargeLimit)
            json["fixedChargeLimit"] = true;
        put(json, "updated", std::optional(reading.updated));
        if (estimate.withheld)
            json["timeWithheld"] = rawValue(*estimate.withheld);
        json["state"] = rawValue(reading.state());
        auto& warnings = json["warnings"] = nlohmann::ordered_json::array();
        for (const auto warning : reading.warnings(levels))
            warnings.push_back(rawValue(warning));
        json["dot"] = reading.dot(levels);
        json["symbol"] = reading.symbol();
        put(json, "watts", reading.watts());
        put(json, "health", reading.health());
        return json;
    }

    nlohmann::ordered_json limitObject(const ChargeLimitRequest& limit)
    {
        nlohmann::ordered_json json;
        put(json, "start", limit.start);
        json["end"] = limit.end;
        return json;
    }

    nlohmann::ordered_json chargeLimitObject(const ChargeLimitState& state)
    {
        nlohmann::ordered_json json;
        json["shape"] = rawValue(state.shape);
        put(json, "start", state.start);
        put(json, "end", state.end);
        json["on"] = state.on;
        json["lifted"] = state.lifted;
        if (state.kept)
            json["kept"] = limitObject(*state.kept);
        json["route"] = rawValue(state.route);
        json["changeable"] = state.changeable();
        json["obstacle"]
            = rawValue(state.changeable() ? ChargeLimitObstacle::none : state.obstacle);
        if (state.upowerPair) {
            json["upower"] = limitObject(*state.upowerPair);
            json["upowerDiffers"] = state.holdsOtherThanUPower();
        }
        return json;
    }

    nlohmann::ordered_json profilesObject(const PowerProfilesState& state)
    {
        nlohmann::ordered_json json;
        json["active"] = state.active;
        json["profiles"] = state.profiles;
        json["degraded"] = state.degraded;
        auto& holds = json["holds"] = nlohmann::ordered_json::array();
        for (const PowerProfileHold& hold : state.holds)
            holds.push_back({ { "profile", hold.profile }, { "reason", hold.reason },
                { "applicationId", hold.applicationId } });
        return json;
    }

    std::string text(const nlohmann::ordered_json& json)
    {
        return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }

} // namespace

std::string readingJson(const BatteryReading& reading, const WarningLevels& levels)
{
    return text(readingObject(reading, levels));
}

namespace {

    nlohmann::ordered_json withDevices(const BatteryReading& reading, const Peripherals& devices,
        Language language, const WarningLevels& levels)
    {
        nlohmann::ordered_json json = readingObject(reading, levels);
        auto& list = json["devices"] = nlohmann::ordered_json::array();
        for (const Peripheral& device : devices) {
            nlohmann::ordered_json object;
            object["kind"] = rawValue(device.kind);
            object["name"] = BatteryText::deviceName(device, language);
            object["percent"] = device.percent ? nlohmann::ordered_json(*device.percent) : nullptr;
            object["level"]
                = device.level ? nlohmann::ordered_json(rawValue(*device.level)) : nullptr;
            object["charging"] = device.charging;
            list.push_back(std::move(object));
        }
        return json;
    }

} // namespace

std::string readingJson(const BatteryReading& reading, const Peripherals& devices,
    Language language, const WarningLevels& levels)
{
    return text(withDevices(reading, devices, language, levels));
}

std::string readingJson(const BatteryReading& reading, const Peripherals& devices,
    const PowerControls& controls, Language language, const WarningLevels& levels)
{
    nlohmann::ordered_json json = withDevices(reading, devices, language, levels);
    json["chargeLimit"] = controls.chargeLimit ? chargeLimitObject(*controls.chargeLimit)
                                               : nlohmann::ordered_json();
    json["powerProfile"]
        = controls.profiles ? profilesObject(*controls.profiles) : nlohmann::ordered_json();
    return text(json);
}

std::string reportLine(bool json, const std::optional<BatteryReading>& reading,
    const Peripherals& devices, const PowerControls& controls, Language language,
    const WarningLevels& levels)
{
    if (json)
        return reading ? readingJson(*reading, devices, controls, language, levels) : "null";
    return reading ? BatteryText::summary(*reading, devices, controls, language)
                   : BatteryText::t("noBattery", language);
}

} // namespace wattlet
