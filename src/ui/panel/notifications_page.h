#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The notifications page, opened from the settings page: the warnings and sound switches
/// ("notify", "sound"), a stepper for each warning level ("lowPercent", "criticalPercent",
/// "deviceLowPercent") and the charged reminder's segmented control ("fullReminder"), disabled
/// with a note while the battery has a charge limit. Each control writes its preference at once.
class NotificationsPage : public QWidget
{
    Q_OBJECT

public:
    NotificationsPage(AppModel& model, std::function<void()> back, QWidget* parent = nullptr);
};

} // namespace wattlet
