#pragma once

#include "warning_levels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wattlet {

/// The battery of a device other than the machine itself (a mouse, a keyboard, a headset, …), as
/// the system's power daemon reports it. Either `percent` is known, or only the coarse `level`.
struct Peripheral
{
    enum class Kind {
        mouse,
        keyboard,
        headset,
        headphones,
        gamingInput,
        touchpad,
        tablet,
        pen,
        phone,
        mediaPlayer,
        other
    };
    enum class Level { critical, low, normal, high, full };

    /// Stable while the device stays connected (the daemon's object path on Linux).
    std::string id;
    Kind kind = Kind::other;
    /// The model name; empty when the device gives none (the kind's text stands in).
    std::string model;
    /// 0–100; absent when the device only reports a coarse level.
    std::optional<std::int64_t> percent;
    /// Present only when `percent` is absent.
    std::optional<Level> level;
    bool charging = false;

    bool operator==(const Peripheral&) const = default;

    /// At or below the device level of `levels`, or at the coarse levels low and critical.
    [[nodiscard]] bool low(const WarningLevels& levels = {}) const;
    /// The symbol name of the kind ("computermouse.fill", "keyboard.fill", …).
    [[nodiscard]] std::string_view symbol() const;
};

/// The raw text of a kind or level: its case name ("mouse", "gamingInput", "critical", …).
[[nodiscard]] std::string_view rawValue(Peripheral::Kind kind);
[[nodiscard]] std::string_view rawValue(Peripheral::Level level);

using Peripherals = std::vector<Peripheral>;

} // namespace wattlet
