#pragma once

#include <QString>

#include <ostream>

namespace wattlet {

/// Renders the panel for two languages × five shots × two colour schemes into `dir` (created with
/// its parents) as "<lang>-<shot>-<scheme>.png", 688 px wide, and writes one line per file to
/// `out`: "✓ " and the path when the file was written, "✗ " and the path when it was not.
/// The application icon is the built-in copy, so the pictures do not depend on the installed
/// icon theme. Each picture goes through the language preference, so "ru" is stored afterwards.
/// True when every file was written. Needs a QApplication.
[[nodiscard]] bool snapshots(const QString& dir, std::ostream& out);

/// The program in snapshot mode: creates the application (on the offscreen platform unless
/// QT_QPA_PLATFORM says otherwise), runs snapshots() to standard output and returns the exit
/// status: 0 when every picture was written, 1 otherwise. An empty `dir` is refused with a
/// message on standard error and status 2, before anything is written.
int runSnapshotExport(int argc, char** argv, const QString& dir);

} // namespace wattlet
