#pragma once

#include <QString>

namespace wattlet {

/// Flushes the entries of the folder at `path` to disk: a file renamed into it survives a crash
/// only once its folder is synced too. Failures are ignored.
void syncFolder(const QString& path);

} // namespace wattlet
