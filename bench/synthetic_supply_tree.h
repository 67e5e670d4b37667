#pragma once

#include <filesystem>

namespace wattlet::bench {

/// A temporary power_supply folder of `count` supplies, removed with the object: the laptop's
/// battery and mains adapter of a recorded tree, then recorded USB-C ports and HID device
/// batteries taking turns, as a dock full of peripherals shows them.
class SyntheticSupplyTree
{
public:
    explicit SyntheticSupplyTree(int count);
    SyntheticSupplyTree(const SyntheticSupplyTree&) = delete;
    SyntheticSupplyTree& operator=(const SyntheticSupplyTree&) = delete;
    ~SyntheticSupplyTree();

    [[nodiscard]] const std::filesystem::path& root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

/// The recorded power_supply tree `fixture` under tests/data.
[[nodiscard]] std::filesystem::path fixtureTree(const char* fixture);

} // namespace wattlet::bench
