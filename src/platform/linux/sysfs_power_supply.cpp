#include "sysfs_power_supply.h"

#include "regular_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

namespace wattlet {

namespace {

    constexpr std::string_view whiteSpace = " \t\r\n";
    constexpr std::string_view ueventPrefix = "POWER_SUPPLY_";
    // sysfs attributes and uevents fit a page; anything much larger is not one.
    constexpr std::size_t maxFileBytes = 65536;

    // Every attribute the battery mapping reads; the attribute-file mode fetches exactly these.
    constexpr std::array mappedAttributes = { "type", "scope", "present", "online", "status",
        "capacity", "charge_now", "charge_full", "charge_full_design", "energy_now", "energy_full",
        "energy_full_design", "current_now", "power_now", "voltage_now", "voltage_min_design",
        "voltage_max_design", "cycle_count", "temp", "time_to_empty_now", "time_to_full_now",
        "charge_type", "health", "charge_control_start_threshold", "charge_control_end_threshold",
        "charge_start_threshold", "charge_stop_threshold", "charge_behaviour", "model_name",
        "manufacturer", "usb_type", "voltage_max", "current_max", "input_power_limit" };

    // Battery attributes that drivers add beside their properties, so they never appear in uevent.
    constexpr std::array extensionAttributes
        = { "charge_control_start_threshold", "charge_control_end_threshold",
              "charge_start_threshold", "charge_stop_threshold", "charge_behaviour" };

    std::string_view trimmed(std::string_view text)
    {
        const auto first = text.find_first_not_of(whiteSpace);
        if (first == std::string_view::npos)
            return {};
        const auto last = text.find_last_not_of(whiteSpace);
        return text.substr(first, last - first + 1);
    }

    std::string withoutTrailingNewline(std::string text)
    {
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }

    // The mapped attribute named by an upper-case uevent key, or nothing.
    const char* mappedAttribute(std::string_view key)
    {
        const auto same = [&](std::string_view name) {
            return name.size() == key.size()
                && std::equal(name.begin(), name.end(), key.begin(), [](char lower, char upper) {
                       return lower == (upper >= 'A' && upper <= 'Z' ? upper - 'A' + 'a' : upper);
                   });
        };
        const auto found = std::find_if(mappedAttributes.begin(), mappedAttributes.end(), same);
        return found == mappedAttributes.end() ? nullptr : *found;
    }

    void readAttributeFile(PowerSupply& supply, const std::string& folder, const char* name)
    {
        if (auto content = readRegularFile(folder + '/' + name, maxFileBytes))
            supply.attributes.insert_or_assign(name, withoutTrailingNewline(std::move(*content)));
    }

    bool mayBeBattery(const PowerSupply& supply)
    {
        const auto type = supply.text("type");
        return !type || *type == "Battery";
    }

    PowerSupply readSupply(const std::filesystem::path& path, SysfsReadMode mode)
    {
        PowerSupply supply;
        supply.name = path.filename().string();
        const std::string folder = path.string();
        const auto uevent = mode == SysfsReadMode::uevent
            ? readRegularFile(folder + "/uevent", maxFileBytes)
            : std::nullopt;
        if (!uevent) {
            for (const char* name : mappedAttributes)
                readAttributeFile(supply, folder, name);
            return supply;
        }
        takeUevent(supply, *uevent);
        if (!supply.attributes.contains("type"))
            readAttributeFile(supply, folder, "type");
        if (mayBeBattery(supply)) {
            for (const char* name : extensionAttributes)
                readAttributeFile(supply, folder, name);
        }
        return supply;
    }

} // namespace

std::optional<std::string_view> PowerSupply::text(std::string_view attribute) const
{
    const auto found = attributes.find(attribute);
    if (found == attributes.end())
        return std::nullopt;
    const auto value = trimmed(found->second);
    if (value.empty())
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> PowerSupply::number(std::string_view attribute) const
{
    auto value = text(attribute);
    if (!value)
        return std::nullopt;
    if (value->starts_with('+'))
        value->remove_prefix(1);
    std::int64_t result = 0;
    const auto* end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, result);
    if (error != std::errc {} || stop != end)
        return std::nullopt;
    return result;
}

void takeUevent(PowerSupply& supply, std::string_view uevent)
{
    while (!uevent.empty()) {
        const auto end = uevent.find('\n');
        const auto line = uevent.substr(0, end);
        uevent = end == std::string_view::npos ? std::string_view {} : uevent.substr(end + 1);
        const auto equals = line.find('=');
        if (!line.starts_with(ueventPrefix) || equals == std::string_view::npos)
            continue;
        const char* name
            = mappedAttribute(line.substr(ueventPrefix.size(), equals - ueventPrefix.size()));
        if (name != nullptr)
            supply.attributes.insert_or_assign(name, std::string(line.substr(equals + 1)));
    }
}

std::optional<std::int64_t> PowerSupply::numberIn(
    std::string_view attribute, std::int64_t least, std::int64_t most) const
{
    const auto value = number(attribute);
    if (value && *value >= least && *value <= most)
        return value;
    return std::nullopt;
}

std::optional<std::string_view> PowerSupply::choice(std::string_view attribute) const
{
    const auto choices = text(attribute);
    if (!choices)
        return std::nullopt;
    const auto open = choices->find('[');
    const auto close = choices->find(']', open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return choices;
    return choices->substr(open + 1, close - open - 1);
}

std::vector<PowerSupply> readPowerSupplies(const std::filesystem::path& root, SysfsReadMode mode)
{
    std::vector<std::filesystem::path> folders;
    std::error_code error;
    for (std::filesystem::directory_iterator it(root, error), end; !error && it != end;
        it.increment(error)) {
        std::error_code statError;
        if (it->is_directory(statError))
            folders.push_back(it->path());
    }
    std::sort(folders.begin(), folders.end());
    std::vector<PowerSupply> supplies;
    supplies.reserve(folders.size());
    for (const auto& folder : folders)
        supplies.push_back(readSupply(folder, mode));
    return supplies;
}

} // namespace wattlet
