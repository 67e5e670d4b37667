#include "charge_limit/charge_limit_command.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<std::string> canonicalArguments(const wattlet::HelperCommand& command)
{
    using wattlet::HelperVerb;
    switch (command.verb) {
    case HelperVerb::restore:
        return { "restore" };
    case HelperVerb::off:
        return { "off", command.battery };
    case HelperVerb::lift:
        return { "lift", command.battery };
    case HelperVerb::set:
        break;
    }
    std::vector<std::string> arguments { "set", command.battery };
    if (command.limit.start)
        arguments.push_back(std::to_string(*command.limit.start));
    arguments.push_back(std::to_string(command.limit.end));
    return arguments;
}

} // namespace

// The input is the helper's command line, arguments separated by NUL bytes, and also the text
// of a kept-choices file. The parsers accept only the one way of writing each command and each
// file, with values in range; a refusal is one line that repeats nothing of the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    for (std::size_t at = 0; at <= input.size();) {
        const auto end = std::min(input.find('\0', at), input.size());
        arguments.push_back(input.substr(at, end - at));
        at = end + 1;
    }
    std::string refusal;
    const auto command = wattlet::parseHelperCommand(arguments, refusal);
    if (command) {
        check(refusal.empty());
        const auto canonical = canonicalArguments(*command);
        check(std::equal(canonical.begin(), canonical.end(), arguments.begin(), arguments.end()));
        const auto& limit = command->limit;
        check(limit.end >= 0 && limit.end <= 100 && limit.end > limit.start.value_or(0));
        check(!limit.start || *limit.start >= 0);
    } else {
        check(!refusal.empty() && refusal.find('\n') == std::string::npos);
    }

    if (const auto choices = wattlet::parseStoredChoices(input))
        check(wattlet::formatStoredChoices(*choices) == input);
    return 0;
}
