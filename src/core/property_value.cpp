#include "property_value.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace wattlet {

namespace {

    // Platform dictionaries nest two or three levels; the cap keeps the recursion (here and in
    // PropertyValue's own destructor) far away from the stack limit on hostile input.
    constexpr int maxDepth = 64;

    PropertyDict dictFromObject(const nlohmann::json& object, int depth);

    PropertyValue valueFromJson(const nlohmann::json& json, int depth)
    {
        switch (json.type()) {
        case nlohmann::json::value_t::number_integer:
            return PropertyValue(json.get<std::int64_t>());
        case nlohmann::json::value_t::number_unsigned: {
            const auto u = json.get<std::uint64_t>();
            if (u <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                return PropertyValue(static_cast<std::int64_t>(u));
            return PropertyValue(u);
        }
        case nlohmann::json::value_t::number_float:
            return PropertyValue(json.get<double>());
        case nlohmann::json::value_t::boolean:
            return PropertyValue(json.get<bool>());
        case nlohmann::json::value_t::string:
            return PropertyValue(json.get<std::string>());
        case nlohmann::json::value_t::object:
            if (depth < maxDepth)
                return PropertyValue(dictFromObject(json, depth + 1));
            return PropertyValue(PropertyValue::Other {});
        default:
            return PropertyValue(PropertyValue::Other {});
        }
    }

    PropertyDict dictFromObject(const nlohmann::json& object, int depth)
    {
        PropertyDict dict;
        for (const auto& [key, value] : object.items())
            dict.emplace_hint(dict.end(), key, valueFromJson(value, depth));
        return dict;
    }

} // namespace

PropertyDict propertyDictFromJson(const nlohmann::json& json)
{
    if (!json.is_object())
        return {};
    return dictFromObject(json, 1);
}

} // namespace wattlet
