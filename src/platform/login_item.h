#pragma once

#include <QString>

namespace wattlet {

/// Launch at login through the XDG autostart entry
/// $XDG_CONFIG_HOME/autostart/<application id>.desktop. The entry file is the only state:
/// nothing about it is remembered elsewhere.
class LoginItem
{
public:
    /// `program` is the absolute path the entry starts; empty means the running program.
    explicit LoginItem(QString program = {});

    /// Where the entry lives; follows XDG_CONFIG_HOME on every call.
    [[nodiscard]] static QString entryPath();

    /// True when the entry is a readable file that neither Hidden=true nor
    /// X-GNOME-Autostart-enabled=false switches off.
    [[nodiscard]] bool enabled() const;

    /// Writes the entry (atomically, creating the folder) or removes it. Failures are silent;
    /// enabled() tells what the session will do.
    void setEnabled(bool on);

    /// The Exec value that starts `program` with no arguments: the path in double quotes,
    /// escaped by the Desktop Entry rules (quoting, then "%%", then string escapes).
    [[nodiscard]] static QString execValue(const QString& program);

private:
    QString m_program;
};

} // namespace wattlet
