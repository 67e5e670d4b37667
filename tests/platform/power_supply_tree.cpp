#include "power_supply_tree.h"

#include "platform/linux/sysfs_battery_reader.h"

#include <fstream>

namespace wattlet::test {

std::optional<BatteryReading> readTree(const std::filesystem::path& root)
{
    // Read a minute earlier too, so the rate has settled.
    double clock = readingTime - RateSmoother::settleSeconds;
    SysfsBatteryReader reader(root, [&clock] { return clock; });
    (void)reader.read();
    clock = readingTime;
    return reader.read();
}

std::filesystem::path fixtureTree(std::string_view fixture)
{
    return std::filesystem::path(WATTLET_TEST_DATA) / "power_supply" / fixture;
}

std::filesystem::path PowerSupplyTree::root() const { return m_dir.path().toStdString(); }

void PowerSupplyTree::copy(std::string_view fixture, std::string_view supply)
{
    std::filesystem::copy(
        fixtureTree(fixture) / supply, root() / supply, std::filesystem::copy_options::recursive);
}

void PowerSupplyTree::set(
    std::string_view supply, std::string_view attribute, std::string_view value) const
{
    std::filesystem::create_directories(root() / supply);
    // The reader falls back to the attribute files; the fixture table checks they say the same.
    std::filesystem::remove(root() / supply / "uevent");
    std::ofstream(root() / supply / attribute) << value << '\n';
}

} // namespace wattlet::test
