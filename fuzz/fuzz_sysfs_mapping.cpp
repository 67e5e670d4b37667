#include "core/battery_parse.h"
#include "core/reading_json.h"
#include "platform/linux/battery_dictionaries.h"
#include "platform/linux/sysfs_power_supply.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using wattlet::PropertyDict;

// Supplies are separated by lines "--". Within one, the POWER_SUPPLY_* lines are its uevent and
// lines "name=value" its separate attribute files (read after the uevent, as the reader does).
std::vector<wattlet::PowerSupply> supplies(std::string_view input)
{
    std::vector<wattlet::PowerSupply> result { { "supply0", {} } };
    while (!input.empty()) {
        const auto end = input.find('\n');
        const auto line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view {} : input.substr(end + 1);
        if (line == "--") {
            result.push_back({ "supply" + std::to_string(result.size()), {} });
            continue;
        }
        auto& supply = result.back();
        const auto equals = line.find('=');
        if (line.starts_with("POWER_SUPPLY_"))
            wattlet::takeUevent(supply, line);
        else if (equals != std::string_view::npos)
            supply.attributes.insert_or_assign(
                std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
    }
    return result;
}

// The integer under `key`, or nothing; any other kind there is a mapping fault.
std::optional<std::int64_t> integer(const PropertyDict& dict, const char* key)
{
    const auto found = dict.find(key);
    if (found == dict.end())
        return std::nullopt;
    const auto* value = std::get_if<std::int64_t>(&found->second.value);
    if (value == nullptr)
        std::abort();
    return *value;
}

const PropertyDict* nested(const PropertyDict& dict, const char* key)
{
    const auto found = dict.find(key);
    return found == dict.end() ? nullptr : std::get_if<PropertyDict>(&found->second.value);
}

void expectWithin(std::optional<std::int64_t> value, std::int64_t least, std::int64_t most)
{
    if (value && (*value < least || *value > most))
        std::abort();
}

// Whatever the files say, the dictionaries hold only values a laptop can have.
void checkBounds(const wattlet::BatteryDictionaries& found, std::int64_t packs)
{
    expectWithin(integer(found.power, "Current Capacity"), 0, 100);
    expectWithin(integer(found.power, "Time to Empty"), 1, 65535);
    expectWithin(integer(found.power, "Time to Full Charge"), 1, 65535);
    const auto& registry = found.registry;
    expectWithin(integer(registry, "Voltage"), 1000, 30000);
    expectWithin(integer(registry, "InstantAmperage"), -50000 * packs, 50000 * packs);
    expectWithin(integer(registry, "Temperature"), -4000, 10000);
    if (const auto* data = nested(registry, "BatteryData"))
        expectWithin(integer(*data, "BatteryPower"), -500000 * packs, 500000 * packs);
    if (const auto* adapter = nested(registry, "AdapterDetails"))
        expectWithin(integer(*adapter, "Watts"), 1, 240);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = supplies(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& supply : input) {
        for (const auto& [name, text] : supply.attributes)
            (void)supply.number(name);
    }
    // Two reads a few seconds apart, so the smoothed rate is averaged as well as started.
    wattlet::RateSmoother smoother;
    for (const double now : { 1700000000.0, 1700000005.0 }) {
        const auto found = wattlet::batteryDictionaries(input, smoother, now);
        if (!found)
            continue;
        checkBounds(*found, static_cast<std::int64_t>(input.size()));
        const auto reading
            = wattlet::BatteryParse::reading(found->power, found->registry, found->pack, now);
        if (const auto watts = reading.watts(); watts && !std::isfinite(*watts))
            std::abort();
        (void)wattlet::readingJson(reading);
    }
    return 0;
}
