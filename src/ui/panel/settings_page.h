#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The settings page: switches for the percentage and launch at login, rows that open the
/// notifications page, the charge-limit page (showing what the battery holds) and the language
/// page (showing the chosen language). Each control writes its preference at once; the model
/// follows the preferences. The switches and the rows are named "percent", "login",
/// "notifications", "chargeLimit" and "language".
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    SettingsPage(AppModel& model, std::function<void()> back,
        std::function<void()> openNotifications = {}, std::function<void()> openChargeLimit = {},
        std::function<void()> openLanguage = {}, QWidget* parent = nullptr);
};

} // namespace wattlet
