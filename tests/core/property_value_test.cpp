#include "core/property_value.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using wattlet::PropertyDict;
using wattlet::PropertyValue;

TEST(PropertyValue, DeepNestingEndsAsOther)
{
    constexpr int levels = 1000;
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += R"({"a":)";
    text += "1";
    text.append(levels, '}');
    const PropertyDict dict = wattlet::propertyDictFromJson(nlohmann::json::parse(text));

    const PropertyDict* level = &dict;
    int depth = 1;
    for (; std::holds_alternative<PropertyDict>(level->at("a").value); ++depth)
        level = &std::get<PropertyDict>(level->at("a").value);
    EXPECT_EQ(depth, 64);
    EXPECT_TRUE(std::holds_alternative<PropertyValue::Other>(level->at("a").value));
}
