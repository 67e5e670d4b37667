#pragma once

#include "core/charge_limit_state.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace wattlet {

/// The battery's charge limit: read from the machine, changed through UPower's charge threshold
/// where UPower offers one, else through Wattlet's privileged helper started with pkexec. Every
/// read and change is asynchronous: a password dialog or a slow driver never blocks the caller's
/// thread. changed() follows every new state, also one changed elsewhere that the machine
/// announces (UPower); reload() reads again.
class ChargeLimitControl : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const ChargeLimitResult&)>;

    explicit ChargeLimitControl(QObject* parent = nullptr)
        : QObject(parent)
    { }

    /// The state last read; the default state (no limit, none to set) until the first read.
    [[nodiscard]] virtual const ChargeLimitState& state() const = 0;
    /// Whether the first read is complete, UPower's answer included; changed() fires when it
    /// becomes so.
    [[nodiscard]] virtual bool ready() const = 0;
    virtual void reload() = 0;
    /// Sets `request` (as fittedChargeLimit() gives it) on every battery that has a limit, or
    /// switches UPower's threshold; `done` runs once, after the state was read again.
    virtual void apply(const ChargeLimitRequest& request, Done done) = 0;
    /// Charging to full once: the limit is off until no charger is connected, then comes back.
    /// Only by the helper; `unsupported` elsewhere.
    virtual void lift(Done done) = 0;

Q_SIGNALS:
    void changed();
};

/// Where the machine's control looks; tests change them.
struct ChargeLimitPaths
{
    /// The folder of the power supplies.
    std::string supplyRoot = "/sys/class/power_supply";
    /// The helper's kept choices.
    std::string store = "/var/lib/wattlet/charge-limit";
    /// The helper, and pkexec; empty: the installed helper beside this program, pkexec on PATH.
    std::string helper;
    std::string pkexec;
    /// How long one run of the helper may take, the password dialog included, before the change
    /// is reported as timed out.
    int helperTimeoutMs = 120000;
};

/// The machine's charge limit, on the system bus.
[[nodiscard]] std::unique_ptr<ChargeLimitControl> makeChargeLimitControl(
    const ChargeLimitPaths& paths = {}, QObject* parent = nullptr);

} // namespace wattlet
