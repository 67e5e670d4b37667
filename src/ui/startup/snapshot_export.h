#pragma once

#include <QString>

namespace wattlet {

/// The program in snapshot mode: creates the application (on the offscreen platform unless
/// QT_QPA_PLATFORM says otherwise) and renders the panel for two languages × five shots × two
/// colour schemes into `dir` (created with its parents) as "<lang>-<shot>-<scheme>.png", 688 px
/// wide, writing one line per file to standard output: "✓ " and the path when the file was
/// written, "✗ " and the path when it was not. The application icon is the built-in copy, so the
/// pictures do not depend on the installed icon theme. Each picture goes through the language
/// preference, so "ru" is stored afterwards. Returns the exit status: 0 when every picture was
/// written, 1 otherwise. An empty `dir` is refused with a message on standard error and status
/// 2, before anything is written.
int runSnapshotExport(int argc, char** argv, const QString& dir);

} // namespace wattlet
