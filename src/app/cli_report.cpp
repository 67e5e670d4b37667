#include "cli_report.h"

#include "app/prefs.h"
#include "core/battery_text.h"
#include "core/reading_json.h"
#include "platform/battery_io.h"

#include <cstring>
#include <string>

namespace wattlet {

namespace {

    enum class Report { summary, json };

    std::optional<Report> requestedReport(int argc, char** argv)
    {
        for (int i = 1; i < argc; ++i) {
            if (std::strcmp(argv[i], "--summary") == 0)
                return Report::summary;
            if (std::strcmp(argv[i], "--json") == 0)
                return Report::json;
        }
        return std::nullopt;
    }

} // namespace

std::optional<int> runCliReport(int argc, char** argv, std::FILE* out)
{
    const auto report = requestedReport(argc, argv);
    if (!report)
        return std::nullopt;
    // Loading the preferences applies the language the user chose for the texts.
    const Prefs prefs;
    const auto reading = BatteryIO::read();
    std::string line;
    if (*report == Report::json)
        line = reading ? readingJson(*reading) : "null";
    else
        line = reading ? BatteryText::summary(*reading) : BatteryText::t("noBattery");
    line += '\n';
    std::fputs(line.c_str(), out);
    std::fflush(out);
    return reading ? 0 : 1;
}

} // namespace wattlet
