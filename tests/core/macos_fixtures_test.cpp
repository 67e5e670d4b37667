#include "core/battery_parse.h"
#include "core/reading_json.h"
#include "support/fixture_table.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace {

// The whole reading with its derived values, as one comparable and readable line.
std::string parsedFixture(const std::string& name)
{
    std::ifstream file(WATTLET_TEST_DATA "/macos-dicts/" + name);
    EXPECT_TRUE(file) << name;
    const auto json = nlohmann::json::parse(file, nullptr, false);
    const auto dict = [&json](const char* key) {
        return wattlet::propertyDictFromJson(json.value(key, nlohmann::json::object()));
    };
    return wattlet::readingJson(
        wattlet::BatteryParse::reading(dict("power"), dict("registry"), dict("pack"), 1700000000));
}

} // namespace

TEST(MacosFixtures, EachRecordedDictionarySetGivesTheReadingWorkedOutByHand)
{
    const auto table = wattlet::test::fixtureTable(WATTLET_TEST_DATA "/core/macos_readings.tsv");
    ASSERT_FALSE(table.empty());
    for (const auto& [fixture, reading] : table) {
        SCOPED_TRACE(fixture);
        EXPECT_EQ(parsedFixture(fixture), reading);
    }
}
