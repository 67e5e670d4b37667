#pragma once

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace wattlet::test {

/// The rows of a table of recorded fixtures and what each must give: every line of the file at
/// `path` that is neither empty nor a "#" comment, split at its first tab into the fixture's name
/// and the expected text. Empty when the file cannot be read, so a test can insist on rows.
[[nodiscard]] inline std::vector<std::pair<std::string, std::string>> fixtureTable(
    const std::string& path)
{
    std::vector<std::pair<std::string, std::string>> rows;
    std::ifstream table(path);
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line.starts_with('#'))
            continue;
        const auto tab = line.find('\t');
        rows.emplace_back(
            line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1));
    }
    return rows;
}

} // namespace wattlet::test
