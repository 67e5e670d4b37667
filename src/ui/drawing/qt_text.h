#pragma once

#include <QString>

#include <string>

namespace wattlet {

/// A UTF-8 text of the presentation structs as a QString.
[[nodiscard]] inline QString qText(const std::string& text) { return QString::fromStdString(text); }

} // namespace wattlet
