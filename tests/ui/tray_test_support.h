#pragma once

#include "app/app_model.h"
#include "support/dbus_test_bus.h"
#include "support/temp_env.h"
#include "ui/tray/status_controller.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace wattlet::test {

/// A model on a reading the test sets, recording nothing anywhere and without power events.
struct FakeSource
{
    std::optional<BatteryReading> reading;
    int reads = 0;
    int saves = 0;

    AppModelDeps deps()
    {
        AppModelDeps d;
        d.now = [] { return 1'700'000'000.0; };
        d.read = [this] {
            ++reads;
            return reading;
        };
        d.loadHistory = [] { return BatteryHistory {}; };
        d.saveHistory = [this](const BatteryHistory&) { ++saves; };
        d.announce = [](const DesktopNotification&) {};
        d.makeWatcher = [](std::function<void()>, std::function<void(const Peripherals&)>) {
            return std::make_unique<QObject>();
        };
        return d;
    }
};

/// A panel stand-in of a fixed size; counts how many were built.
struct PanelCounter
{
    int built = 0;

    StatusController::PanelFactory factory()
    {
        return [this](AppModel&) {
            ++built;
            auto panel = std::make_unique<QWidget>();
            panel->setFixedSize(344, 300);
            panel->setFocusPolicy(Qt::StrongFocus);
            return panel;
        };
    }
};

/// The common ground of tray tests: a private session bus started before anything touches
/// it, and a temporary home for the preferences.
class TrayTestBase
{
protected:
    TrayTestBase()
        : m_bus(DBusTestBus::session())
    { }

    [[nodiscard]] bool busRunning() const { return m_bus.isRunning(); }
    [[nodiscard]] const DBusTestBus& bus() const { return m_bus; }

private:
    DBusTestBus& m_bus;
    TempHome m_home;
};

} // namespace wattlet::test
