#pragma once

#include <chrono>

namespace wattlet {

/// The current wall-clock time in seconds since 1970-01-01 UTC, as the core expects its `now`.
[[nodiscard]] inline double wallClockSeconds()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace wattlet
