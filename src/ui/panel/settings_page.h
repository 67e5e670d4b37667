#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The settings page: switches for the percentage, the warnings and launch at login, and the
/// language as a segmented control. Each control writes its preference at once; the model
/// follows the preferences (the tray item, and for a language every view of the model). The
/// switches and the segmented control are named "percent", "notify", "login" and "language".
/// The charge limit's row ("chargeLimit") shows what the battery holds and runs `openChargeLimit`.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    SettingsPage(AppModel& model, std::function<void()> back,
        std::function<void()> openChargeLimit = {}, QWidget* parent = nullptr);
};

} // namespace wattlet
