#include "cli_report.h"

#include "app/cli_charge_limit.h"
#include "app/demo.h"
#include "app/demo_controls.h"
#include "app/files.h"
#include "app/local_day.h"
#include "app/prefs.h"
#include "core/battery_text.h"
#include "core/reading_json.h"
#include "platform/battery_io.h"
#include "platform/charge_limit_control.h"
#include "platform/peripherals_read.h"
#include "platform/power_profiles.h"
#include "platform/wall_clock.h"

#include <string>

namespace wattlet {

namespace {

    void print(const std::string& text, std::FILE* out)
    {
        std::fputs(text.c_str(), out);
        std::fflush(out);
    }

    constexpr int askTimeoutMs = 2000;

    PowerControls machineControls()
    {
        PowerControls controls;
        const auto limit = makeChargeLimitControl();
        waitUntilReady(*limit, askTimeoutMs);
        controls.chargeLimit = limit->state();
        controls.profiles = readPowerProfiles(askTimeoutMs);
        return controls;
    }

    PowerControls demoControls(const BatteryReading& reading)
    {
        return { Demo::chargeLimit(reading)->state(), Demo::powerProfiles()->state() };
    }

} // namespace

std::optional<int> runCliReport(const LaunchOptions& options, std::FILE* out,
    const std::function<Peripherals()>& devices, const std::function<PowerControls()>& controls)
{
    if (!options.asksReport())
        return std::nullopt;
    if (options.health) {
        const HealthLog log = options.demoKind ? Demo::healthLog(localDay(wallClockSeconds()))
                                               : Files::loadHealth();
        print(log.toCsv(), out);
        return 0;
    }
    const Language language = textLanguage(Prefs::storedLanguage());
    const auto reading = options.demoKind
        ? std::optional(Demo::reading(*options.demoKind, wallClockSeconds()))
        : BatteryIO::readOnce();
    Peripherals peripherals;
    if (options.demoKind)
        peripherals = Demo::peripherals(*options.demoKind);
    else if (reading)
        peripherals = devices ? devices() : readPeripherals();
    PowerControls found;
    if (options.demoKind && reading)
        found = demoControls(*reading);
    else if (reading)
        found = controls ? controls() : machineControls();
    const std::string line
        = reportLine(options.json, reading, peripherals, found, language, Prefs::storedLevels());
    print(line + '\n', out);
    return reading ? 0 : 1;
}

} // namespace wattlet
