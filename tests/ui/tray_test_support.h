#pragma once

#include "panel_test_support.h"

#include "support/dbus_test_bus.h"
#include "ui/tray/status_controller.h"

#include <QWidget>

#include <memory>

namespace wattlet::test {

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
