#pragma once

#include <QWidget>

#include <functional>

namespace wattlet {

class AppModel;
struct MainPageView;

/// The panel's first page: the charge ring with the state and time lines, the warnings, four
/// tiles (the health tile runs `openHealth`), the details, the peripherals' card when there are
/// any, the 24-hour chart and two actions; a "no battery" notice when the model has no reading.
/// Built once from the model's current state; the panel builds a new one when the model changes.
class MainPage : public QWidget
{
    Q_OBJECT

public:
    explicit MainPage(
        AppModel& model, const std::function<void()>& openHealth = {}, QWidget* parent = nullptr);

private:
    void buildNotice(const MainPageView& view);
    void buildReading(const MainPageView& view, const std::function<void()>& openHealth);
    void copySummary() const;

    AppModel& m_model;
};

} // namespace wattlet
