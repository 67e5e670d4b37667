#include "app/demo.h"

#include <gtest/gtest.h>

namespace wattlet {
namespace {

    TEST(Demo, ReadingsGiveTheirWarnings)
    {
        using W = BatteryReading::Warning;
        EXPECT_TRUE(Demo::reading("battery", 0).warnings().empty());
        EXPECT_EQ(Demo::reading("low", 0).warnings(), (std::vector<W> { W::critical, W::hot }));
        EXPECT_TRUE(Demo::reading("charging", 0).warnings().empty());
        // The kind is matched exactly; anything else is the charging reading.
        for (const char* kind : { "", "Battery", "LOW", "battery " })
            EXPECT_EQ(Demo::reading(kind, 7), Demo::reading("charging", 7)) << kind;
    }

} // namespace
} // namespace wattlet
