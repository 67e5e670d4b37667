#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace wattlet {

/// What the command line asks for.
struct LaunchOptions
{
    bool help = false;
    bool version = false;
    /// "--snapshot=DIR": render the panel pictures into DIR (possibly empty) and exit.
    std::optional<QString> snapshotDir;
    /// "--snapshot-languages=CODES": the pictures' languages, comma-separated codes ("en,ru").
    std::optional<QString> snapshotLanguages;
    /// "--snapshot-direction=DIRECTION": "rtl" or "ltr" for every picture.
    std::optional<QString> snapshotDirection;
    /// "--demo=KIND": run on a demo reading of KIND (possibly empty).
    std::optional<std::string> demoKind;
    /// "--watch": print one report line per refresh until killed.
    bool watch = false;
    /// "--summary": print the summary of one reading and exit.
    bool summary = false;
    /// "--json": reports are JSON.
    bool json = false;
    /// "--health": print the battery health log as CSV and exit.
    bool health = false;
    /// "--charge-limit=VALUE": set the battery's charge limit to VALUE and exit.
    std::optional<std::string> chargeLimit;

    /// Whether a one-shot report is asked for: the summary, the JSON line or the health log.
    [[nodiscard]] bool asksReport() const { return summary || json || health; }
};

/// Reads `arguments` (the program's path included). The options with "=" are case-sensitive
/// prefixes taking the rest of the argument; the first match of each counts. The
/// other options match whole arguments; unknown arguments are ignored.
[[nodiscard]] LaunchOptions launchOptions(const QStringList& arguments);

} // namespace wattlet
