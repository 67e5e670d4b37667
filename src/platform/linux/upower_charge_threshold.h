#pragma once

#include "platform/charge_limit_control.h"

#include <QDBusConnection>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

class QObject;

namespace wattlet {

class UPowerDeviceList;

/// UPower's charge threshold (UPower 1.90.5 and newer): the machine's batteries that support
/// one, and the thresholds and switch of the first of them.
struct UPowerThreshold
{
    QStringList batteries;
    std::optional<std::int64_t> start;
    std::optional<std::int64_t> end;
    bool enabled = false;
};

/// The threshold of the machine's batteries whose ChargeThresholdSupported is true; nothing when
/// none is (older UPower has no such property).
[[nodiscard]] std::optional<UPowerThreshold> upowerThreshold(const UPowerDeviceList& devices);

/// Calls EnableChargeThreshold(`on`) on each battery in turn, letting polkit ask for a password,
/// and calls `done` in `context` with the first failure, or done.
void enableChargeThreshold(const QDBusConnection& bus, const QStringList& batteries, bool on,
    QObject* context, std::function<void(const ChargeLimitResult&)> done);

} // namespace wattlet
