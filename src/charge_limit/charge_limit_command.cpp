#include "charge_limit/charge_limit_command.h"

#include <algorithm>

namespace wattlet {

namespace {

    constexpr std::string_view usage = "usage: wattlet-charge-limit set BATTERY [START] END | "
                                       "off BATTERY | lift BATTERY | restore";

    // values holds END, or START and END.
    std::optional<ChargeLimit> parseLimit(
        std::span<const std::string_view> values, std::string& refusal)
    {
        ChargeLimit limit;
        if (values.size() == 2) {
            limit.start = parsePercent(values.front());
            if (!limit.start) {
                refusal = "START must be a whole number from 0 to 100";
                return std::nullopt;
            }
        }
        const auto end = parsePercent(values.back());
        if (!end) {
            refusal = "END must be a whole number from 0 to 100";
            return std::nullopt;
        }
        limit.end = *end;
        if (limit.end <= limit.start.value_or(0)) {
            refusal = limit.start ? "END must be above START" : "END must be above 0";
            return std::nullopt;
        }
        return limit;
    }

    std::vector<std::string_view> split(std::string_view text, char separator)
    {
        std::vector<std::string_view> parts;
        while (true) {
            const auto at = text.find(separator);
            parts.push_back(text.substr(0, at));
            if (at == std::string_view::npos)
                return parts;
            text.remove_prefix(at + 1);
        }
    }

} // namespace

bool isBatteryName(std::string_view text)
{
    return !text.empty() && text.size() <= 16 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
            || c == '_';
    });
}

std::optional<int> parsePercent(std::string_view text)
{
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 100)
        return std::nullopt;
    return value;
}

std::optional<HelperCommand> parseHelperCommand(
    std::span<const std::string_view> arguments, std::string& refusal)
{
    refusal = usage;
    if (arguments.empty())
        return std::nullopt;
    const auto verb = arguments.front();
    HelperCommand command;
    if (verb == "restore") {
        if (arguments.size() != 1)
            return std::nullopt;
        refusal.clear();
        return command;
    }
    if (verb == "set")
        command.verb = HelperVerb::set;
    else if (verb == "off")
        command.verb = HelperVerb::off;
    else if (verb == "lift")
        command.verb = HelperVerb::lift;
    else
        return std::nullopt;
    const bool isSet = command.verb == HelperVerb::set;
    if (isSet ? arguments.size() != 3 && arguments.size() != 4 : arguments.size() != 2)
        return std::nullopt;
    if (!isBatteryName(arguments[1])) {
        refusal = "BATTERY must be 1 to 16 letters, digits or underscores";
        return std::nullopt;
    }
    command.battery = std::string(arguments[1]);
    if (isSet) {
        const auto limit = parseLimit(arguments.subspan(2), refusal);
        if (!limit)
            return std::nullopt;
        command.limit = *limit;
        if (limit->end < lowestLimitEnd) {
            refusal = "END must be " + std::to_string(lowestLimitEnd)
                + " or more: a battery held lower never charges enough to use";
            return std::nullopt;
        }
    }
    refusal.clear();
    return command;
}

std::optional<std::vector<StoredChoice>> parseStoredChoices(std::string_view text)
{
    std::vector<StoredChoice> choices;
    if (text.empty())
        return choices;
    if (text.back() != '\n')
        return std::nullopt;
    text.remove_suffix(1);
    for (const auto line : split(text, '\n')) {
        auto tokens = split(line, ' ');
        StoredChoice choice;
        if (tokens.size() > 2 && tokens.back() == "lifted") {
            choice.lifted = true;
            tokens.pop_back();
        }
        if ((tokens.size() != 2 && tokens.size() != 3) || !isBatteryName(tokens.front()))
            return std::nullopt;
        std::string unused;
        const auto limit = parseLimit(std::span(tokens).subspan(1), unused);
        if (!limit)
            return std::nullopt;
        choice.battery = std::string(tokens.front());
        choice.limit = *limit;
        const auto sameBattery
            = [&](const StoredChoice& other) { return other.battery == choice.battery; };
        if (std::any_of(choices.begin(), choices.end(), sameBattery))
            return std::nullopt;
        choices.push_back(std::move(choice));
    }
    return choices;
}

std::string formatStoredChoices(std::span<const StoredChoice> choices)
{
    std::string text;
    for (const auto& choice : choices) {
        text += choice.battery;
        if (choice.limit.start)
            text += ' ' + std::to_string(*choice.limit.start);
        text += ' ' + std::to_string(choice.limit.end);
        if (choice.lifted)
            text += " lifted";
        text += '\n';
    }
    return text;
}

} // namespace wattlet
