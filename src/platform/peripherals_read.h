#pragma once

#include "core/peripheral.h"

namespace wattlet {

/// The peripherals' batteries as the system's power daemon lists them now, for one-shot command
/// line reports: runs a local event loop for at most `timeoutMs` while the daemon answers. Empty
/// without the daemon, or when it does not answer in time. Needs a QCoreApplication; never call
/// it from a thread that serves a user interface.
[[nodiscard]] Peripherals readPeripherals(int timeoutMs = 2000);

} // namespace wattlet
