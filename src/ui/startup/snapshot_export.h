#pragma once

#include "ui/panel/panel_view.h"

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wattlet {

/// What the snapshot export draws: `dir` as given after "--snapshot="; the languages as
/// comma-separated codes (every language when absent); "rtl" or "ltr" to draw every picture in
/// that direction (each language's own when absent).
struct SnapshotRequest
{
    QString dir;
    std::optional<QString> languages;
    std::optional<QString> direction;
};

/// One picture's page and the demo reading it shows.
struct SnapshotShot
{
    const char* name;
    const char* kind;
    Page page;
};

/// The pictures of each language and scheme, in the order they are written.
[[nodiscard]] std::span<const SnapshotShot> snapshotShots();

/// The code of every language the panel is written in, English first: the export's languages
/// when none are named.
[[nodiscard]] std::vector<std::string> panelLanguageCodes();

/// The program in snapshot mode: creates the application (on the offscreen platform unless
/// QT_QPA_PLATFORM says otherwise) and renders the panel for each language × shot × colour
/// scheme into `dir` (created with its parents) as "<lang>-<shot>-<scheme>.png", 688 px wide,
/// writing one line per file to standard output: "✓ " and the path when the file was written,
/// "✗ " and the path when it was not. A forced direction adds it to the language part
/// ("en-rtl-…"). Texts cut for want of room are named on standard error, for translators. The
/// application icon is the built-in copy, so the pictures do not depend on the installed icon
/// theme. Each picture goes through the language preference, so the last language is stored
/// afterwards. Returns the exit status: 0 when every picture was written, 1 otherwise. An empty
/// `dir`, an unknown language or direction is refused with a message on standard error and
/// status 2, before anything is written.
int runSnapshotExport(int argc, char** argv, const SnapshotRequest& request);

} // namespace wattlet
