#include "platform/machine_name.h"

namespace wattlet {

MachineName machineName() { return MachineName::laptop; }

} // namespace wattlet
