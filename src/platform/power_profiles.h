#pragma once

#include "core/power_profiles_state.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>

namespace wattlet {

/// The system's power profiles (power-profiles-daemon): what it offers and which one is active,
/// followed as they change, also when changed elsewhere. Absent while no daemon runs; it comes
/// back when one appears. Only asynchronous calls: the caller's thread never waits.
class PowerProfiles : public QObject
{
    Q_OBJECT

public:
    explicit PowerProfiles(QObject* parent = nullptr)
        : QObject(parent)
    { }

    [[nodiscard]] virtual const std::optional<PowerProfilesState>& state() const = 0;
    /// Asks the daemon to make `profile` the active one; changed() follows its answer.
    virtual void choose(const std::string& profile) = 0;

Q_SIGNALS:
    void changed();
};

/// The daemon on the system bus: org.freedesktop.UPower.PowerProfiles where it answers to that
/// name, else net.hadess.PowerProfiles (power-profiles-daemon before 0.20).
[[nodiscard]] std::unique_ptr<PowerProfiles> makePowerProfiles(QObject* parent = nullptr);

/// The profiles as the daemon reports them now, for the command line's reports: runs a local
/// event loop for at most `timeoutMs`. Absent without a daemon or an answer in time.
[[nodiscard]] std::optional<PowerProfilesState> readPowerProfiles(int timeoutMs = 2000);

} // namespace wattlet
