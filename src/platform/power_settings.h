#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

/// The desktop's power settings, started as a separate program.
namespace wattlet::PowerSettings {

struct Command
{
    QString program;
    QStringList arguments;

    bool operator==(const Command&) const = default;
};

/// The settings tool for `currentDesktop` (an XDG_CURRENT_DESKTOP list such as "ubuntu:GNOME",
/// matched entry by entry, case-insensitively) when `installed` accepts its program; else the
/// first installed tool of the known list; nothing when none is installed.
[[nodiscard]] std::optional<Command> commandFor(
    const QString& currentDesktop, const std::function<bool(const QString& program)>& installed);

/// Whether a tool for this session is installed (on PATH), so that open() can start one.
[[nodiscard]] bool available();

/// Starts the tool for this session detached, without waiting. A call within a few seconds of
/// the last start does nothing: a burst of clicks, or of menu events over the bus, starts one
/// tool. Returns whether it started one (false also when none is installed or it would not
/// start).
bool open();

} // namespace wattlet::PowerSettings
