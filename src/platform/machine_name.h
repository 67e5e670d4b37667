#pragma once

#include "core/language.h"

namespace wattlet {

/// What the texts call the machine this build runs on.
[[nodiscard]] MachineName machineName();

} // namespace wattlet
