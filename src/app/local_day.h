#pragma once

#include <cstdint>

namespace wattlet {

/// The calendar day of `seconds` (since 1970 UTC) in the user's time zone, counted in days since
/// 1970-01-01; the day of 1970-01-01 for a time that is not finite or out of range.
[[nodiscard]] std::int64_t localDay(double seconds);

} // namespace wattlet
