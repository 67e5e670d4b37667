#pragma once

#include "core/charge_limit_state.h"
#include "core/language.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace wattlet {

class ChargeLimitControl;

/// "off", "END" or "START-END" as a limit: whole percentages in plain decimal 0–100 without
/// sign, spaces or leading zeros, END above START and at least lowestLimitEnd (40). Nothing for
/// anything else.
[[nodiscard]] std::optional<ChargeLimitRequest> parseChargeLimitRequest(std::string_view text);

/// Runs "--charge-limit=VALUE" through `control`, the panel's path: waits (an event loop, at
/// most `readyTimeoutMs`) for the state, sets the limit, and prints "Charge limit: 75–80 %" to
/// `out` when the battery then holds what was asked. Otherwise one line on `err` and status 1
/// (not changed: dismissed, not authorized, a failed write, or the battery holds something
/// else), 2 (VALUE malformed, or a form the battery does not take) or 3 (the limit cannot be
/// changed here). Texts in `language`. Needs a QCoreApplication.
[[nodiscard]] int runChargeLimit(std::string_view value, ChargeLimitControl& control,
    Language language, std::FILE* out = stdout, std::FILE* err = stderr, int readyTimeoutMs = 5000);

/// Waits in an event loop, at most `timeoutMs`, until `control` has read its state.
void waitUntilReady(ChargeLimitControl& control, int timeoutMs);

} // namespace wattlet
