#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace wattlet {

/// The whole content of the regular file at `path` (a link to one counts), or nothing when it
/// cannot be opened or read, is no regular file, or holds more than `maxBytes`. A FIFO, device or
/// folder is refused without reading, so a stray one in a sysfs-like tree can never block the
/// caller or feed it endless bytes; a larger file is refused rather than cut mid-line.
[[nodiscard]] std::optional<std::string> readRegularFile(
    const std::string& path, std::size_t maxBytes);

} // namespace wattlet
