#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wattlet::test {

/// The rows of a table of recorded fixtures and what each must give: every line of the file at
/// `path` that is neither empty nor a "#" comment, split at its first tab into the fixture's name
/// and the expected text. Empty when the file cannot be read, so a test can insist on rows.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> fixtureTable(
    const std::string& path);

} // namespace wattlet::test
