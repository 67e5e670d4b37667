#pragma once

#include "core/battery_history.h"

namespace wattlet::test {

/// One of two distinct histories of a few hours (`variant` 0 or 1) that the writer child
/// saves in turn and the durability test expects to find.
inline BatteryHistory writerHistory(int variant)
{
    BatteryHistory history;
    for (int i = 0; i < 300; ++i) {
        const double t = 1'700'000'000.0 + 60.0 * i;
        history.samples.push_back({ t, 40 + variant * 30 + i % 7,
            i % 3 == 0 ? std::nullopt : std::optional(-7.25), variant == 1 });
    }
    return history;
}

} // namespace wattlet::test
