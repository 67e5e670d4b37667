#pragma once

#include <QString>

#include <memory>

namespace wattlet {

/// The claim to be the one running copy: the application id as a name on the session bus, or,
/// when there is no session bus, a lock file in $XDG_RUNTIME_DIR (the temporary folder without
/// one); and in either case a lock file in the data folder, so that copies on different
/// session buses (two logins sharing a home, a nested session) never write the same history.
/// The claim lasts as long as the object.
class SingleInstance
{
public:
    /// The application id, claimed as a name on the session bus.
    [[nodiscard]] static QString busName();

    /// `busAddress` names the bus to claim the name on; empty means the session bus.
    explicit SingleInstance(const QString& busAddress = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// False when another copy holds the claim.
    [[nodiscard]] bool claim();

    /// The lock file used without a session bus.
    [[nodiscard]] static QString lockPath();
    /// The lock file in the data folder.
    [[nodiscard]] static QString dataLockPath();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace wattlet
