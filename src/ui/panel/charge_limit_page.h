#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The charge limit's page, reached from the settings: what the battery holds, the control its
/// hardware takes (Off, 80 % or custom thresholds; or a switch), "Charge to 100 % once", and
/// what a change is doing or came to. Each control asks the model's charge limit at once; a
/// custom limit is kept as a draft until Apply. The segmented control is named "limit", the
/// switch "limitSwitch", the steppers "start" and "end".
class ChargeLimitPage : public QWidget
{
    Q_OBJECT

public:
    ChargeLimitPage(AppModel& model, std::function<void()> back, QWidget* parent = nullptr);
};

} // namespace wattlet
