#pragma once

#include <QString>

#include <string>

class QVBoxLayout;
class QWidget;

namespace wattlet {

/// The vertical layout of a panel page: padding 16 on every edge and `spacing` between rows.
QVBoxLayout* pageLayout(QWidget* page, int spacing);

/// A UTF-8 text of the presentation structs as a QString.
[[nodiscard]] inline QString qText(const std::string& text) { return QString::fromStdString(text); }

} // namespace wattlet
