#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The settings page: switches for the percentage and launch at login, rows that open the
/// notifications page and the charge-limit page (the latter showing what the battery holds), and
/// the language as a segmented control. Each control writes its preference at once; the model
/// follows the preferences (the tray item, and for a language every view of the model). The
/// switches, the rows and the segmented control are named "percent", "login", "notifications",
/// "chargeLimit" and "language".
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    SettingsPage(AppModel& model, std::function<void()> back,
        std::function<void()> openNotifications = {}, std::function<void()> openChargeLimit = {},
        QWidget* parent = nullptr);
};

} // namespace wattlet
