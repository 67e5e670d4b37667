#include "core/battery_parse.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>

namespace {

void exercise(const wattlet::BatteryReading& r)
{
    (void)r.watts();
    (void)r.health();
    (void)r.state();
    (void)r.optimizedHold();
    (void)r.fillSymbol();
    (void)r.symbol();
    (void)r.dot();
    for (const auto w : r.warnings())
        (void)wattlet::rawValue(w);
    (void)wattlet::rawValue(r.state());
}

} // namespace

// One JSON document is tried as each of the three dictionaries in turn, and as the registry
// with its own "power"/"pack" members when it is shaped like a recorded dump.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto json = nlohmann::json::parse(data, data + size, nullptr, false);
    const wattlet::PropertyDict dict = wattlet::propertyDictFromJson(json);
    const wattlet::PropertyDict empty;
    exercise(wattlet::BatteryParse::reading(dict, empty, empty, 0));
    exercise(wattlet::BatteryParse::reading(empty, dict, empty, 0));
    exercise(wattlet::BatteryParse::reading(empty, empty, dict, 0));
    exercise(wattlet::BatteryParse::reading(dict, dict, dict, 0));
    if (json.is_object()) {
        const auto member = [&json](const char* key) {
            const auto it = json.find(key);
            return it == json.end() ? wattlet::PropertyDict {} : wattlet::propertyDictFromJson(*it);
        };
        exercise(
            wattlet::BatteryParse::reading(member("power"), member("registry"), member("pack"), 0));
    }
    return 0;
}
