#include "core/battery_history.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any accepted document must survive writing and reading back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto history = wattlet::BatteryHistory::fromJson(input);
    if (!history)
        return 0;
    const auto again = wattlet::BatteryHistory::fromJson(history->toJson());
    if (!again || *again != *history)
        std::abort();
    return 0;
}
