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
