#pragma once

#include <QWidget>

#include <memory>

namespace wattlet {

class AppModel;

/// A new panel for `model`, on its main page.
[[nodiscard]] std::unique_ptr<QWidget> makePanel(AppModel& model);

} // namespace wattlet
