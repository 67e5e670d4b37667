#include "tray_state.h"

#include <nlohmann/json.hpp>

#include <array>

namespace wattlet {

namespace {

    using Json = nlohmann::json;
    using K = Peripheral::Kind;
    using L = Peripheral::Level;
    using Shape = ChargeLimitShape;
    using Route = ChargeLimitRoute;
    using Obstacle = ChargeLimitObstacle;

    // Every value of each enum that travels by its raw name.
    constexpr std::array kinds { K::mouse, K::keyboard, K::headset, K::headphones, K::gamingInput,
        K::touchpad, K::tablet, K::pen, K::phone, K::mediaPlayer, K::other };
    constexpr std::array levels { L::critical, L::low, L::normal, L::high, L::full };
    constexpr std::array shapes { Shape::startAndEnd, Shape::endOnly, Shape::fixed, Shape::none };
    constexpr std::array routes { Route::none, Route::upower, Route::helper };
    constexpr std::array obstacles { Obstacle::none, Obstacle::noHardware, Obstacle::noHelper,
        Obstacle::noPkexec };

    struct Refused
    { };

    template <typename Enum, std::size_t size>
    Enum fromRaw(const Json& raw, const std::array<Enum, size>& values)
    {
        const auto name = raw.get<std::string>();
        for (const Enum value : values) {
            if (rawValue(value) == name)
                return value;
        }
        throw Refused {};
    }

    template <typename T> Json optionalJson(const std::optional<T>& value)
    {
        return value ? Json(*value) : Json();
    }

    template <typename T> std::optional<T> optionalFrom(const Json& json)
    {
        return json.is_null() ? std::nullopt : std::optional(json.get<T>());
    }

    Json requestJson(const std::optional<ChargeLimitRequest>& request)
    {
        return request ? Json { { "start", optionalJson(request->start) }, { "end", request->end } }
                       : Json();
    }

    std::optional<ChargeLimitRequest> requestFrom(const Json& json)
    {
        if (json.is_null())
            return std::nullopt;
        return ChargeLimitRequest { optionalFrom<std::int64_t>(json.at("start")),
            json.at("end").get<std::int64_t>() };
    }

    Json limitJson(const ChargeLimitState& limit)
    {
        const Json kept = requestJson(limit.kept);
        return { { "shape", rawValue(limit.shape) }, { "start", optionalJson(limit.start) },
            { "end", optionalJson(limit.end) }, { "on", limit.on }, { "lifted", limit.lifted },
            { "kept", kept }, { "route", rawValue(limit.route) },
            { "obstacle", rawValue(limit.obstacle) },
            { "upowerPair", requestJson(limit.upowerPair) },
            { "helperForOthers", limit.helperForOthers } };
    }

    ChargeLimitState limitFrom(const Json& json)
    {
        ChargeLimitState limit;
        limit.shape = fromRaw(json.at("shape"), shapes);
        limit.start = optionalFrom<std::int64_t>(json.at("start"));
        limit.end = optionalFrom<std::int64_t>(json.at("end"));
        limit.on = json.at("on").get<bool>();
        limit.lifted = json.at("lifted").get<bool>();
        limit.kept = requestFrom(json.at("kept"));
        // Absent from what a tray of an earlier version published.
        limit.upowerPair = requestFrom(json.value("upowerPair", Json()));
        limit.helperForOthers = json.value("helperForOthers", false);
        limit.route = fromRaw(json.at("route"), routes);
        limit.obstacle = fromRaw(json.at("obstacle"), obstacles);
        return limit;
    }

    Json profilesJson(const PowerProfilesState& profiles)
    {
        Json holds = Json::array();
        for (const PowerProfileHold& hold : profiles.holds)
            holds.push_back({ hold.profile, hold.reason, hold.applicationId });
        return { { "profiles", profiles.profiles }, { "active", profiles.active },
            { "degraded", profiles.degraded }, { "holds", holds } };
    }

    PowerProfilesState profilesFrom(const Json& json)
    {
        PowerProfilesState profiles { json.at("profiles").get<std::vector<std::string>>(),
            json.at("active").get<std::string>(), json.at("degraded").get<std::string>(), {} };
        for (const Json& hold : json.at("holds"))
            profiles.holds.push_back({ hold.at(0).get<std::string>(), hold.at(1).get<std::string>(),
                hold.at(2).get<std::string>() });
        return profiles;
    }

} // namespace

std::string trayStateJson(const TrayState& state)
{
    Json devices = Json::array();
    for (const Peripheral& device : state.devices) {
        devices.push_back({ { "id", device.id }, { "kind", rawValue(device.kind) },
            { "model", device.model }, { "percent", optionalJson(device.percent) },
            { "level", device.level ? Json(rawValue(*device.level)) : Json() },
            { "charging", device.charging } });
    }
    const auto& [limit, profiles] = state.controls;
    const Json json { { "pid", state.pid }, { "started", state.started }, { "devices", devices },
        { "chargeLimit", limit ? limitJson(*limit) : Json() },
        { "powerProfile", profiles ? profilesJson(*profiles) : Json() } };
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<TrayState> trayStateFromJson(std::string_view text)
{
    const Json json = Json::parse(text.begin(), text.end(), nullptr, false);
    if (!json.is_object())
        return std::nullopt;
    try {
        TrayState state { json.at("pid").get<std::int64_t>(),
            json.at("started").get<std::int64_t>(), {}, {} };
        for (const Json& device : json.at("devices")) {
            state.devices.push_back({ device.at("id").get<std::string>(),
                fromRaw(device.at("kind"), kinds), device.at("model").get<std::string>(),
                optionalFrom<std::int64_t>(device.at("percent")),
                device.at("level").is_null() ? std::nullopt
                                             : std::optional(fromRaw(device.at("level"), levels)),
                device.at("charging").get<bool>() });
        }
        if (const Json& limit = json.at("chargeLimit"); !limit.is_null())
            state.controls.chargeLimit = limitFrom(limit);
        if (const Json& profiles = json.at("powerProfile"); !profiles.is_null())
            state.controls.profiles = profilesFrom(profiles);
        return state;
    } catch (const Json::exception&) {
        return std::nullopt;
    } catch (const Refused&) {
        return std::nullopt;
    }
}

} // namespace wattlet
