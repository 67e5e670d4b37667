#pragma once

#include "app/app_model.h"
#include "platform/single_instance.h"
#include "ui/tray/status_controller.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>

namespace wattlet {

/// Runs the launch: one copy only, then the model, the tray item, the first refresh, and in
/// demo mode the panel 0.8 s later. Owns the model and the controller until the process ends.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    static constexpr int demoPanelDelayMs = 800;

    explicit AppDelegate(std::optional<std::string> demoKind,
        AppModelDeps deps = AppModelDeps::live(), StatusController::PanelFactory panel = {},
        QObject* parent = nullptr);
    ~AppDelegate() override;

    /// The launch sequence. False when another copy runs: nothing was created and the caller
    /// should exit.
    [[nodiscard]] bool launch(SingleInstance& instance);

    [[nodiscard]] AppModel* model() const { return m_model.get(); }
    [[nodiscard]] StatusController* status() const { return m_status.get(); }

private:
    std::optional<std::string> m_demoKind;
    AppModelDeps m_deps;
    StatusController::PanelFactory m_panel;
    std::unique_ptr<AppModel> m_model;
    // After the model, so it goes first: the controller refers to the model.
    std::unique_ptr<StatusController> m_status;
};

} // namespace wattlet
