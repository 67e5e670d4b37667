#include "core/battery_parse.h"
#include "platform/linux/battery_dictionaries.h"
#include "platform/linux/battery_pack.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace wattlet {
namespace {

    std::optional<std::int64_t> packValue(const std::string& attribute, const char* value)
    {
        const PowerSupply supply { "BAT0", { { "capacity", "50" }, { attribute, value } } };
        const auto pack = batteryPack(supply);
        if (attribute == "current_now")
            return pack->currentUA;
        if (attribute == "power_now")
            return pack->powerUW;
        if (attribute == "voltage_now")
            return pack->voltageUV;
        return pack->conversionUV ? std::optional(static_cast<std::int64_t>(*pack->conversionUV))
                                  : std::nullopt;
    }

    TEST(BatteryPack, ValuesNoLaptopPackCanGiveAreAbsent)
    {
        struct Row
        {
            const char* attribute;
            const char* value;
            std::optional<std::int64_t> kept;
        };
        const Row rows[]
            = { { "current_now", "-50000000", -50000000 }, { "current_now", "50000001", {} },
                  { "power_now", "500000000", 500000000 }, { "power_now", "-500000001", {} },
                  { "voltage_now", "1000000", 1000000 }, { "voltage_now", "999999", {} },
                  { "voltage_now", "30000001", {} }, { "voltage_min_design", "30000001", {} } };
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.attribute) + "=" + row.value);
            EXPECT_EQ(packValue(row.attribute, row.value), row.kept);
        }
    }

    TEST(BatteryPack, GlitchedCurrentShowsNoPowerRatherThanAnAbsurdOne)
    {
        const std::vector<PowerSupply> supplies { { "BAT0",
            { { "type", "Battery" }, { "status", "Discharging" }, { "capacity", "60" },
                { "current_now", "4294967295" }, { "voltage_now", "12000000" } } } };
        RateSmoother smoother;
        const auto found = batteryDictionaries(supplies, smoother, 0);
        ASSERT_TRUE(found);
        const auto reading = BatteryParse::reading(found->power, found->registry, found->pack, 0);
        EXPECT_EQ(reading.amperageMA, std::nullopt);
        EXPECT_EQ(reading.watts(), std::nullopt);
        EXPECT_EQ(reading.voltageMV, 12000);
    }

} // namespace
} // namespace wattlet
