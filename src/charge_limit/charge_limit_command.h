#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// The helper's exit statuses, the contract its callers rely on.
enum class HelperExit {
    done = 0,
    notRoot = 1,
    refused = 2,
    hardwareCannot = 3,
    writeFailed = 4,
};

/// Why a step stopped: the exit status and a one-line reason for standard error.
struct HelperFailure
{
    HelperExit exit = HelperExit::refused;
    std::string reason;
};

/// A charge limit in percent: `end` 0–100, `start` below it when both thresholds are given,
/// absent for the end-only form. An end of 100 with no start above 0 means charging to full.
/// The helper sets no end below lowestLimitEnd.
struct ChargeLimit
{
    std::optional<int> start;
    int end = 100;
    friend bool operator==(const ChargeLimit&, const ChargeLimit&) = default;
};

/// The lowest end the helper sets: a battery held lower is never charged enough to use (40 % is
/// the lowest in common use, for storage). A kept choice below it, from before this floor, is
/// read but not applied.
constexpr int lowestLimitEnd = 40;

enum class HelperVerb { set, off, lift, restore };

/// One run of the helper: the verb, the battery (empty for restore) and, for set, the limit.
struct HelperCommand
{
    HelperVerb verb = HelperVerb::restore;
    std::string battery;
    ChargeLimit limit;
};

/// A battery's kept choice; `lifted` while "charge to full once" holds it off until unplugged.
struct StoredChoice
{
    std::string battery;
    ChargeLimit limit;
    bool lifted = false;
    friend bool operator==(const StoredChoice&, const StoredChoice&) = default;
};

/// True for 1 to 16 ASCII letters, digits or underscores: a power supply's name, never a path.
bool isBatteryName(std::string_view text);

/// A percentage written as plain decimal 0–100 without sign, spaces or leading zeros; absent
/// for anything else.
std::optional<int> parsePercent(std::string_view text);

/// Parses the arguments after the program name; an END below lowestLimitEnd is refused. On
/// failure the reason names the rule broken, never echoes the input.
std::optional<HelperCommand> parseHelperCommand(
    std::span<const std::string_view> arguments, std::string& refusal);

/// The kept choices: one line per battery, "NAME [START] END[ lifted]\n", each battery once.
/// Anything else (other spacing, a missing newline, a bad value) makes the whole text invalid.
std::optional<std::vector<StoredChoice>> parseStoredChoices(std::string_view text);
std::string formatStoredChoices(std::span<const StoredChoice> choices);

} // namespace wattlet
