#include "sysfs_charge_limit.h"

#include "charge_limit/charge_limit_command.h"
#include "regular_file.h"
#include "supply_role.h"

#include <algorithm>
#include <system_error>

namespace wattlet {

namespace {

    constexpr std::size_t maxFileBytes = 4096;
    constexpr const char* startFile = "charge_control_start_threshold";
    constexpr const char* endFile = "charge_control_end_threshold";

} // namespace

std::filesystem::path conservationSwitch(const std::filesystem::path& supplyRoot)
{
    return supplyRoot / "../../bus/platform/drivers/ideapad_acpi/VPC2004:00/conservation_mode";
}

std::optional<bool> conservationMode(const std::filesystem::path& supplyRoot)
{
    const auto text = readRegularFile(conservationSwitch(supplyRoot).string(), maxFileBytes);
    if (text == "1\n" || text == "1")
        return true;
    if (text == "0\n" || text == "0")
        return false;
    return std::nullopt;
}

std::vector<LimitBattery> limitBatteries(const std::filesystem::path& supplyRoot)
{
    std::vector<LimitBattery> batteries;
    std::error_code error;
    bool conservation = false;
    bool knowsSwitch = false;
    for (const auto& entry : std::filesystem::directory_iterator(supplyRoot, error)) {
        PowerSupply supply { entry.path().filename().string(), {} };
        for (const char* name : { "type", "scope", "present", startFile, endFile }) {
            if (auto text = readRegularFile((entry.path() / name).string(), maxFileBytes))
                supply.attributes.emplace(name, std::move(*text));
        }
        if (supply.text("type") != "Battery" || supplyRole(supply) != SupplyRole::battery)
            continue;
        LimitBattery battery { supply.name, ChargeLimitShape::none,
            supply.numberIn(startFile, 0, 100), supply.numberIn(endFile, 0, 100) };
        // A file that exists but cannot be read still gives the shape.
        const bool hasEnd = std::filesystem::exists(entry.path() / endFile, error);
        if (hasEnd) {
            battery.shape = std::filesystem::exists(entry.path() / startFile, error)
                ? ChargeLimitShape::startAndEnd
                : ChargeLimitShape::endOnly;
        } else {
            if (!knowsSwitch) {
                conservation = std::filesystem::exists(conservationSwitch(supplyRoot), error);
                knowsSwitch = true;
            }
            if (conservation)
                battery.shape = ChargeLimitShape::fixed;
        }
        batteries.push_back(std::move(battery));
    }
    std::sort(batteries.begin(), batteries.end(),
        [](const LimitBattery& a, const LimitBattery& b) { return a.name < b.name; });
    return batteries;
}

ChargeLimitState limitState(const std::vector<LimitBattery>& batteries,
    std::optional<bool> conservation, const std::optional<std::string>& store)
{
    ChargeLimitState state;
    const auto limited = std::find_if(batteries.begin(), batteries.end(),
        [](const LimitBattery& battery) { return battery.shape != ChargeLimitShape::none; });
    if (limited == batteries.end())
        return state;
    state.shape = limited->shape;
    if (state.shape == ChargeLimitShape::fixed) {
        state.on = conservation.value_or(false);
    } else {
        state.start = limited->start;
        state.end = limited->end;
        state.on = state.end && *state.end < 100;
    }
    const auto choices = store ? parseStoredChoices(*store) : std::nullopt;
    if (!choices)
        return state;
    for (const StoredChoice& choice : *choices) {
        if (choice.battery != limited->name)
            continue;
        state.lifted = choice.lifted && !state.on;
        if (state.lifted)
            state.kept = ChargeLimitRequest { choice.limit.start, choice.limit.end };
    }
    return state;
}

} // namespace wattlet
