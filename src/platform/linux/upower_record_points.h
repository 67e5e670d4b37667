#pragma once

#include "core/battery_record.h"

#include <cstddef>
#include <vector>

class QDBusMessage;

namespace wattlet {

/// The points of an answer to UPower's GetHistory (signature "a(udu)": time, value, state) in the
/// order given, the first `maxPoints` of them: a longer answer is cut, so a daemon gone wrong
/// costs the receiving thread no more than a normal answer. Empty for an error or any other
/// signature.
[[nodiscard]] std::vector<RecordPoint> upowerRecordPoints(
    const QDBusMessage& reply, std::size_t maxPoints);

} // namespace wattlet
