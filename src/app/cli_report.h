#pragma once

#include "app/launch_options.h"
#include "core/peripheral.h"
#include "core/power_controls.h"

#include <cstdio>
#include <functional>
#include <optional>

namespace wattlet {

/// The one-shot reports of the command line, without any GUI or display: "--summary" prints the
/// summary text of one fresh reading in the language of the preferences, "--json" its JSON line
/// (JSON wins when both are given). With a demo kind the reading is that demo reading instead of
/// the battery; its warnings follow the stored warning levels. When the options ask for a report,
/// prints it to `out` and returns the exit status: 0 with a reading, 1 without one (the "noBattery"
/// text, or "null"). Both list the peripherals `devices` returns (the demo kind's with a demo
/// kind), and state the charge limit and the power mode that `controls` returns (empty: the
/// machine's, asked for at most two seconds each; the demo's with a demo kind). "--health" prints
/// the health log as CSV (the demo log with a demo kind) and returns 0; it wins over the others.
/// Nothing when they ask for no report.
[[nodiscard]] std::optional<int> runCliReport(const LaunchOptions& options, std::FILE* out = stdout,
    const std::function<Peripherals()>& devices = {},
    const std::function<PowerControls()>& controls = {});

} // namespace wattlet
