#include "core/battery_parse.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>

namespace {

struct Dictionaries
{
    wattlet::PropertyDict power, registry, pack;
};

const Dictionaries& appleSilicon()
{
    static const Dictionaries dicts = [] {
        const std::string path = std::string(WATTLET_TEST_DATA)
            + "/macos-dicts/08-m4max-macos26-json-charging-140w-apple.json";
        std::ifstream file(path);
        const auto json = nlohmann::json::parse(file, nullptr, false);
        if (!json.is_object())
            throw std::runtime_error("cannot read " + path);
        return Dictionaries { wattlet::propertyDictFromJson(json["power"]),
            wattlet::propertyDictFromJson(json["registry"]),
            wattlet::propertyDictFromJson(json["pack"]) };
    }();
    return dicts;
}

void parseAppleSiliconRegistry(benchmark::State& state)
{
    const Dictionaries& d = appleSilicon();
    for (auto _ : state)
        benchmark::DoNotOptimize(wattlet::BatteryParse::reading(d.power, d.registry, d.pack, 0));
}
BENCHMARK(parseAppleSiliconRegistry);

} // namespace
