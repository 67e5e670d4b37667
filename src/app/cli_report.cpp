#include "cli_report.h"

#include "app/demo.h"
#include "app/prefs.h"
#include "core/battery_text.h"
#include "core/reading_json.h"
#include "platform/battery_io.h"
#include "platform/wall_clock.h"

#include <string>

namespace wattlet {

std::optional<int> runCliReport(const LaunchOptions& options, std::FILE* out)
{
    if (!options.summary && !options.json)
        return std::nullopt;
    // Loading the preferences applies the language the user chose for the texts.
    const Prefs prefs;
    const auto reading = options.demoKind
        ? std::optional(Demo::reading(*options.demoKind, wallClockSeconds()))
        : BatteryIO::read();
    std::string line;
    if (options.json)
        line = reading ? readingJson(*reading) : "null";
    else
        line = reading ? BatteryText::summary(*reading) : BatteryText::t("noBattery");
    line += '\n';
    std::fputs(line.c_str(), out);
    std::fflush(out);
    return reading ? 0 : 1;
}

} // namespace wattlet
