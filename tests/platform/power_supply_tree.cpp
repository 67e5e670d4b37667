#include "power_supply_tree.h"

#include "platform/linux/sysfs_battery_reader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

namespace wattlet::test {

std::optional<BatteryReading> readTree(const std::filesystem::path& root)
{
    return SysfsBatteryReader(root, [] { return readingTime; }).read();
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
    std::ofstream(root() / supply / attribute) << value << '\n';
    const auto uevent = root() / supply / "uevent";
    if (!std::filesystem::exists(uevent))
        return;
    std::string key = "POWER_SUPPLY_" + std::string(attribute) + "=";
    std::transform(key.begin(), key.end(), key.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::ifstream in(uevent);
    std::ostringstream out;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(key))
            out << line << '\n';
    }
    out << key << value << '\n';
    in.close();
    std::ofstream(uevent) << out.str();
}

} // namespace wattlet::test
