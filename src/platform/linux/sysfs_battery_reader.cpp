#include "sysfs_battery_reader.h"

#include "sysfs_charge_limit.h"
#include "sysfs_power_supply.h"

#include "core/battery_parse.h"

#include <utility>

namespace wattlet {

SysfsBatteryReader::SysfsBatteryReader(std::filesystem::path root, std::function<double()> clock)
    : m_root(std::move(root))
    , m_clock(std::move(clock))
{ }

std::optional<BatteryDictionaries> SysfsBatteryReader::dictionaries()
{
    return batteryDictionaries(
        readPowerSupplies(m_root), m_smoother, m_clock(), conservationMode(m_root).value_or(false));
}

std::optional<BatteryReading> SysfsBatteryReader::read()
{
    const double now = m_clock();
    const auto found = batteryDictionaries(
        readPowerSupplies(m_root), m_smoother, now, conservationMode(m_root).value_or(false));
    if (!found)
        return std::nullopt;
    return BatteryParse::reading(found->power, found->registry, found->pack, now);
}

} // namespace wattlet
