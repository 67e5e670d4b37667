#pragma once

#include <cstdio>
#include <optional>

namespace wattlet {

/// The one-shot reports of the command line, without any GUI or display: "--summary" prints the
/// summary text of one fresh reading in the language of the preferences, "--json" its JSON line.
/// When an argument asks for a report, prints it to `out` and returns the exit status: 0 with a
/// battery, 1 without one (the "noBattery" text, or "null"). Nothing when no argument asks for a
/// report.
[[nodiscard]] std::optional<int> runCliReport(int argc, char** argv, std::FILE* out = stdout);

} // namespace wattlet
