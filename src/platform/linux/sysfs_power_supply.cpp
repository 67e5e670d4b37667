#include "sysfs_power_supply.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace wattlet {

namespace {

    constexpr std::string_view whiteSpace = " \t\r\n";
    constexpr std::string_view ueventPrefix = "POWER_SUPPLY_";
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

    std::string lowerCase(std::string_view text)
    {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(),
            [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return result;
    }

    void readAttributeFile(
        PowerSupply& supply, const std::filesystem::path& folder, const char* name)
    {
        if (auto content = readSmallFile(folder / name))
            supply.attributes.insert_or_assign(name, withoutTrailingNewline(std::move(*content)));
    }

    // Takes the POWER_SUPPLY_* lines of a uevent; other lines (DEVTYPE, OF_*) and the name are
    // skipped.
    void takeUevent(PowerSupply& supply, std::string_view uevent)
    {
        while (!uevent.empty()) {
            const auto end = uevent.find('\n');
            const auto line = uevent.substr(0, end);
            uevent = end == std::string_view::npos ? std::string_view {} : uevent.substr(end + 1);
            const auto equals = line.find('=');
            if (!line.starts_with(ueventPrefix) || equals == std::string_view::npos)
                continue;
            auto key = lowerCase(line.substr(ueventPrefix.size(), equals - ueventPrefix.size()));
            if (key.empty() || key == "name")
                continue;
            supply.attributes.insert_or_assign(
                std::move(key), std::string(line.substr(equals + 1)));
        }
    }

    bool mayBeBattery(const PowerSupply& supply)
    {
        const auto type = supply.text("type");
        return !type || *type == "Battery";
    }

    PowerSupply readSupply(const std::filesystem::path& folder, SysfsReadMode mode)
    {
        PowerSupply supply;
        supply.name = folder.filename().string();
        const auto uevent
            = mode == SysfsReadMode::uevent ? readSmallFile(folder / "uevent") : std::nullopt;
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

std::optional<std::string> readSmallFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string content;
    std::array<char, 4096> buffer {};
    bool failed = false;
    while (content.size() < maxFileBytes) {
        const auto count = ::read(fd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            failed = true;
            break;
        }
        if (count == 0)
            break;
        content.append(buffer.data(), static_cast<std::size_t>(count));
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    return content;
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
