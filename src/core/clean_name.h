#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wattlet {

/// The most characters (code points) a name keeps, its "…" included.
inline constexpr std::size_t maxNameLength = 48;

/// A name from outside the program (a device's model, a charger's maker) made safe to show in the
/// panel, a notification or a terminal: UTF-8 decoded with each invalid sequence read as U+FFFD;
/// control characters (C0, DEL, C1) and the bidirectional marks, embeddings, overrides and
/// isolates dropped; tabs, line breaks and the other spaces turned into spaces, runs of them
/// collapsed to one and the ends trimmed; more than maxNameLength characters cut to
/// maxNameLength - 1 and "…". Empty when nothing readable is left (nothing, or only U+FFFD):
/// the caller then names the device by its kind.
[[nodiscard]] std::string cleanName(std::string_view raw);

} // namespace wattlet
