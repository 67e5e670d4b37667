#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The settings page: switches for the percentage, the warnings and launch at login, and the
/// language as a segmented control. Each control writes its preference at once; changing the
/// percentage or the language also asks the model's onUpdate to redraw the tray item, and a
/// language change first makes every observer of the model rebuild. Nothing runs for the values
/// the page starts with or for choosing the language already chosen. The switches and the
/// segmented control are named "percent", "notify", "login" and "language".
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    SettingsPage(AppModel& model, std::function<void()> back, QWidget* parent = nullptr);
};

} // namespace wattlet
