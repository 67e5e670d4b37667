#include "synthetic_supply_tree.h"

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

namespace wattlet::bench {

std::filesystem::path fixtureTree(const char* fixture)
{
    return std::filesystem::path(WATTLET_TEST_DATA) / "power_supply" / fixture;
}

SyntheticSupplyTree::SyntheticSupplyTree(int count)
{
    std::string pattern
        = (std::filesystem::temp_directory_path() / "wattlet-bench-XXXXXX").string();
    m_root = ::mkdtemp(pattern.data());
    const auto laptop = fixtureTree("22-ac0-bat0-udev-events-tlpstat-pev-partial");
    const std::array peripherals = { std::pair { fixtureTree("05-dell-xps13-ucsi-usbc-grep"),
                                         "ucsi-source-psy-USBC000:001" },
        std::pair { fixtureTree("08-logitech-hidpp-mouse-device-scope"), "hidpp_battery_2" } };
    using std::filesystem::copy_options;
    std::filesystem::copy(laptop / "BAT0", m_root / "BAT0", copy_options::recursive);
    std::filesystem::copy(laptop / "AC0", m_root / "AC0", copy_options::recursive);
    for (int i = 2; i < count; ++i) {
        const auto& [tree, supply] = peripherals[static_cast<std::size_t>(i) % peripherals.size()];
        std::filesystem::copy(
            tree / supply, m_root / ("peripheral" + std::to_string(i)), copy_options::recursive);
    }
}

SyntheticSupplyTree::~SyntheticSupplyTree()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

} // namespace wattlet::bench
