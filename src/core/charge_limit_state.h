#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wattlet {

/// The charge limit a battery's driver offers: start and end thresholds, an end threshold only,
/// a limit the firmware fixes and that is only switched on or off (IdeaPad conservation mode),
/// or none.
enum class ChargeLimitShape { startAndEnd, endOnly, fixed, none };

/// How the limit can be changed from the program: by UPower's own switch, by the privileged
/// helper through pkexec, or not at all.
enum class ChargeLimitRoute { none, upower, helper };

/// Why the limit cannot be changed from the program.
enum class ChargeLimitObstacle { none, noHardware, noHelper, noPkexec };

/// A limit asked for, in percent: charging stops at `end` and, where the battery has both
/// thresholds, starts again below `start`. An end of 100 without a start is no limit.
struct ChargeLimitRequest
{
    std::optional<std::int64_t> start;
    std::int64_t end = 100;

    [[nodiscard]] bool off() const { return end >= 100 && !start; }
    bool operator==(const ChargeLimitRequest&) const = default;
};

/// The limit the battery holds now and whether the program can change it. `start` and `end` are
/// the thresholds held (for UPower: the ones it applies when switched on); absent where the
/// battery has none or they cannot be read. During a lift ("charge to 100 % once") `on` is false
/// and `kept` is the limit that comes back once no charger is connected.
struct ChargeLimitState
{
    ChargeLimitShape shape = ChargeLimitShape::none;
    std::optional<std::int64_t> start;
    std::optional<std::int64_t> end;
    /// A limit below full charge holds now: an end below 100, the fixed limit on, or UPower's
    /// threshold switched on.
    bool on = false;
    bool lifted = false;
    std::optional<ChargeLimitRequest> kept;
    ChargeLimitRoute route = ChargeLimitRoute::none;
    ChargeLimitObstacle obstacle = ChargeLimitObstacle::noHardware;
    /// On UPower's route: the thresholds its switch applies (its hardware database's). `start`
    /// and `end` are what the battery holds whenever it holds a limit, so the two may differ.
    std::optional<ChargeLimitRequest> upowerPair;
    /// On UPower's route: other values than UPower's can be set through the helper.
    bool helperForOthers = false;

    [[nodiscard]] bool changeable() const { return route != ChargeLimitRoute::none; }
    /// Whether the choice is only on or off: a fixed limit, or UPower's thresholds alone.
    [[nodiscard]] bool switchOnly() const
    {
        return (route == ChargeLimitRoute::upower && !helperForOthers)
            || shape == ChargeLimitShape::fixed;
    }
    /// Whether the battery holds a limit other than the one UPower's switch applies.
    [[nodiscard]] bool holdsOtherThanUPower() const
    {
        return on && upowerPair && (end != upowerPair->end || start != upowerPair->start);
    }
    /// Whether `request` is the limit UPower's switch applies (or no limit at all).
    [[nodiscard]] bool isUPowerPair(const ChargeLimitRequest& request) const
    {
        return upowerPair && (request.off() || request == *upowerPair);
    }
    bool operator==(const ChargeLimitState&) const = default;
};

/// What came of a change of the charge limit. Through pkexec: `dismissed` when the
/// authentication dialog was closed, `notAuthorized` when polkit said no; the helper's own
/// statuses give `refused` (its arguments or the battery), `unsupported` (the battery cannot take
/// the limit) and `failed` (a write failed); `unavailable` when nothing could be started or
/// asked; `timedOut` when the helper (the password dialog included) did not end in time, so the
/// change may or may not have been made. `done` says only that the change ran: what the battery
/// holds is in the state after it.
enum class ChargeLimitOutcome {
    done,
    dismissed,
    notAuthorized,
    refused,
    unsupported,
    failed,
    unavailable,
    timedOut
};

/// The outcome's raw text: "done", "dismissed", "notAuthorized", … as in the enum.
[[nodiscard]] std::string_view rawValue(ChargeLimitOutcome outcome);

/// An outcome and, where the helper or the daemon gave one, its reason (English, one line).
struct ChargeLimitResult
{
    ChargeLimitOutcome outcome = ChargeLimitOutcome::done;
    std::string detail;
};

/// The start an end alone gets on a battery with both thresholds: 5 below it (not below 0), so
/// the battery is not topped up at every point it loses.
[[nodiscard]] std::int64_t chargeStartFor(std::int64_t end);

/// The limit the panel offers as its one preset: stop at 80 % and, where the battery has both
/// thresholds, start again below 75 %.
[[nodiscard]] ChargeLimitRequest presetChargeLimit(ChargeLimitShape shape);

/// What `request` asks of a battery of `state`'s kind, or nothing with `problem` set to the text
/// key of the reason when it does not fit: a start where there is no start threshold
/// ("limit.err.noStart"), values other than UPower's where the helper cannot set them
/// ("limit.err.upowerValues"). An end alone
/// on a battery with both thresholds gets chargeStartFor() it, as the preset does.
[[nodiscard]] std::optional<ChargeLimitRequest> fittedChargeLimit(
    const ChargeLimitState& state, const ChargeLimitRequest& request, std::string& problem);

/// Whether the battery holds `request` (as fittedChargeLimit() gives it): for a switch, on or
/// off as asked; otherwise the thresholds read back equal the ones asked for.
[[nodiscard]] bool holdsChargeLimit(
    const ChargeLimitState& state, const ChargeLimitRequest& request);

/// The raw texts of the enums: "startAndEnd", "endOnly", "fixed", "none"; "none", "upower",
/// "helper"; "none", "noHardware", "noHelper", "noPkexec".
[[nodiscard]] std::string_view rawValue(ChargeLimitShape shape);
[[nodiscard]] std::string_view rawValue(ChargeLimitRoute route);
[[nodiscard]] std::string_view rawValue(ChargeLimitObstacle obstacle);

} // namespace wattlet
