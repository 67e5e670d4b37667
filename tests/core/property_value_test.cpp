#include "core/property_value.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using wattlet::PropertyDict;
using wattlet::PropertyValue;

TEST(PropertyValue, JsonKindsStayApart)
{
    const auto dict = wattlet::propertyDictFromJson(nlohmann::json::parse(R"({
        "signed": -5, "small": 5, "int64Max": 9223372036854775807,
        "wrapped": 18446744073709550524, "fraction": 1.5, "whole": 2.0,
        "flag": true, "text": "90", "nested": {"Watts": 96},
        "list": [1, 2], "nothing": null})"));
    const PropertyDict expected { { "signed", -5 }, { "small", 5 },
        { "int64Max", std::int64_t { 9223372036854775807 } },
        { "wrapped", std::uint64_t { 18446744073709550524u } }, { "fraction", 1.5 },
        { "whole", 2.0 }, { "flag", true }, { "text", "90" },
        { "nested", PropertyDict { { "Watts", 96 } } }, { "list", PropertyValue::Other {} },
        { "nothing", PropertyValue::Other {} } };
    EXPECT_EQ(dict, expected);
    for (const char* text : { "[1, 2]", "42", "\"AC Power\"", "null", "true" }) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(wattlet::propertyDictFromJson(nlohmann::json::parse(text)).empty());
    }
    EXPECT_TRUE(wattlet::propertyDictFromJson(nlohmann::json::parse("{", nullptr, false)).empty());
}

TEST(PropertyValue, DeepNestingEndsAsOther)
{
    constexpr int levels = 1000;
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += R"({"a":)";
    text += "1";
    text.append(levels, '}');
    const PropertyDict dict = wattlet::propertyDictFromJson(nlohmann::json::parse(text));

    int depth = 1;
    const PropertyDict* level = &dict;
    for (;;) {
        const auto& value = level->at("a").value;
        if (std::holds_alternative<PropertyValue::Other>(value))
            break;
        level = &std::get<PropertyDict>(value);
        ++depth;
    }
    EXPECT_EQ(depth, 64);
}
