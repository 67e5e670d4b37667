#include "charge_limit_state.h"

#include <algorithm>

namespace wattlet {

namespace {

    constexpr std::int64_t presetEnd = 80;
    constexpr std::int64_t restartGap = 5;

} // namespace

std::int64_t chargeStartFor(std::int64_t end)
{
    return std::max<std::int64_t>(0, end - restartGap);
}

ChargeLimitRequest presetChargeLimit(ChargeLimitShape shape)
{
    if (shape == ChargeLimitShape::startAndEnd)
        return { chargeStartFor(presetEnd), presetEnd };
    return { std::nullopt, presetEnd };
}

std::optional<ChargeLimitRequest> fittedChargeLimit(
    const ChargeLimitState& state, const ChargeLimitRequest& request, std::string& problem)
{
    if (request.off())
        return request;
    if (state.route == ChargeLimitRoute::upower && !state.helperForOthers) {
        // UPower applies the thresholds of its hardware database; a switch cannot set others.
        const auto pair = state.upowerPair.value_or(ChargeLimitRequest {});
        if (request.end != pair.end || (request.start && request.start != pair.start)) {
            problem = "limit.err.upowerValues";
            return std::nullopt;
        }
        return request;
    }
    if (state.shape != ChargeLimitShape::startAndEnd) {
        if (request.start) {
            problem = "limit.err.noStart";
            return std::nullopt;
        }
        return request;
    }
    if (request.start)
        return request;
    return ChargeLimitRequest { chargeStartFor(request.end), request.end };
}

bool holdsChargeLimit(const ChargeLimitState& state, const ChargeLimitRequest& request)
{
    if (request.off())
        return !state.on;
    if (!state.on)
        return false;
    if (state.switchOnly())
        return true;
    return state.end == request.end && (!request.start || state.start == request.start);
}

std::string_view rawValue(ChargeLimitShape shape)
{
    switch (shape) {
    case ChargeLimitShape::startAndEnd:
        return "startAndEnd";
    case ChargeLimitShape::endOnly:
        return "endOnly";
    case ChargeLimitShape::fixed:
        return "fixed";
    case ChargeLimitShape::none:
        break;
    }
    return "none";
}

std::string_view rawValue(ChargeLimitRoute route)
{
    switch (route) {
    case ChargeLimitRoute::upower:
        return "upower";
    case ChargeLimitRoute::helper:
        return "helper";
    case ChargeLimitRoute::none:
        break;
    }
    return "none";
}

std::string_view rawValue(ChargeLimitObstacle obstacle)
{
    switch (obstacle) {
    case ChargeLimitObstacle::noHardware:
        return "noHardware";
    case ChargeLimitObstacle::noHelper:
        return "noHelper";
    case ChargeLimitObstacle::noPkexec:
        return "noPkexec";
    case ChargeLimitObstacle::none:
        break;
    }
    return "none";
}

std::string_view rawValue(ChargeLimitOutcome outcome)
{
    switch (outcome) {
    case ChargeLimitOutcome::done:
        return "done";
    case ChargeLimitOutcome::dismissed:
        return "dismissed";
    case ChargeLimitOutcome::notAuthorized:
        return "notAuthorized";
    case ChargeLimitOutcome::refused:
        return "refused";
    case ChargeLimitOutcome::unsupported:
        return "unsupported";
    case ChargeLimitOutcome::failed:
        return "failed";
    case ChargeLimitOutcome::timedOut:
        return "timedOut";
    case ChargeLimitOutcome::unavailable:
        break;
    }
    return "unavailable";
}

} // namespace wattlet
