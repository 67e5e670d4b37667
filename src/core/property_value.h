#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <variant>

namespace wattlet {

/// A loosely typed platform property: signed or unsigned integer, floating point, boolean, text,
/// nested dictionary, or "other" (arrays, dates, data, null). The kinds are kept apart so that a
/// text "90" is never taken for a number and a boolean never for an integer.
struct PropertyValue
{
    struct Other
    {
        bool operator==(const Other&) const = default;
    };
    using Dict = std::map<std::string, PropertyValue, std::less<>>;
    using Variant
        = std::variant<Other, std::int64_t, std::uint64_t, double, bool, std::string, Dict>;

    Variant value;

    PropertyValue() = default;
    PropertyValue(Other v)
        : value(v)
    { }
    PropertyValue(std::int64_t v)
        : value(v)
    { }
    PropertyValue(int v)
        : value(std::int64_t { v })
    { }
    PropertyValue(std::uint64_t v)
        : value(v)
    { }
    PropertyValue(double v)
        : value(v)
    { }
    PropertyValue(bool v)
        : value(v)
    { }
    PropertyValue(std::string v)
        : value(std::move(v))
    { }
    PropertyValue(const char* v)
        : value(std::string(v))
    { }
    PropertyValue(Dict v)
        : value(std::move(v))
    { }

    bool operator==(const PropertyValue&) const = default;
};

using PropertyDict = PropertyValue::Dict;

/// Converts JSON into a property dictionary: integers → integer (above INT64_MAX → unsigned),
/// fractions → floating point, true/false → boolean, strings → text, objects → dictionaries,
/// arrays and null → "other". A JSON value that is not an object gives an empty dictionary.
/// Objects nested deeper than 64 levels become "other", so hostile input cannot exhaust the stack.
[[nodiscard]] PropertyDict propertyDictFromJson(const nlohmann::json& json);

} // namespace wattlet
