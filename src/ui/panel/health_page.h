#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;

/// The battery health page: a title row with the back button, the full-capacity curve over the
/// recorded months, today's health and the trend (or the sentence that asks for more days).
class HealthPage : public QWidget
{
    Q_OBJECT

public:
    HealthPage(const AppModel& model, std::function<void()> back, QWidget* parent = nullptr);
};

} // namespace wattlet
