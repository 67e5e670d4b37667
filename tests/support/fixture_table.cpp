#include "fixture_table.h"

#include <fstream>

namespace wattlet::test {

std::vector<std::pair<std::string, std::string>> fixtureTable(const std::string& path)
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
