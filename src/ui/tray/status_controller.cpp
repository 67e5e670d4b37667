#include "status_controller.h"

#include "tray_item.h"

#include "app/app_model.h"
#include "app/brand.h"
#include "app/present/status_item_view.h"
#include "platform/window_system.h"
#include "ui/desktop/summary_clipboard.h"
#include "ui/panel/panel_factory.h"
#include "ui/panel/panel_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>

namespace wattlet {

namespace {

    // A click on the tray icon while the panel is open first closes the panel as a click
    // outside it; the activation that follows must not open it again.
    constexpr int reopenGuardMs = 300;

} // namespace

StatusController::StatusController(AppModel& model, PanelFactory factory, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_factory(factory ? std::move(factory) : PanelFactory(makePanel))
    , m_panel(std::make_unique<PanelWindow>())
{
    TrayActions actions;
    QPointer<StatusController> self(this);
    actions.activate = [self](std::optional<QPoint> at) {
        if (self)
            self->activate(at);
    };
    actions.menu = [self] { return self ? self->menu() : MenuView {}; };
    actions.run = [self](MenuAction action) {
        if (self)
            self->run(action);
    };
    m_tray = std::make_unique<TrayItem>(std::move(actions));
    m_model.onUpdate = [self] {
        if (self)
            self->update();
    };
    // The menu follows a power mode changed elsewhere.
    if (PowerProfiles* profiles = m_model.powerProfiles())
        connect(profiles, &PowerProfiles::changed, this, &StatusController::update);
    // A click on a notification opens the panel as "Open panel" does; the server's token lets
    // it take the focus on Wayland.
    connect(&m_model, &AppModel::notificationClicked, this, [this](const QString& token) {
        WindowSystem::useActivationToken(token);
        openPanel();
    });
    update();
}

StatusController::~StatusController() = default;

void StatusController::update()
{
    m_tray->show(statusItemView(m_model.reading(), m_model.prefs().showPercent(),
        m_model.prefs().textLanguage(), m_model.prefs().percentStyle(), m_model.peripherals(),
        m_model.prefs().levels()));
}

void StatusController::togglePanel(std::optional<QPoint> at)
{
    if (m_panel->isOpen()) {
        m_panel->close();
        return;
    }
    if (at)
        m_lastClick = at;
    m_model.refresh(false);
    m_panel->open(m_factory(m_model), m_lastClick);
}

void StatusController::activate(std::optional<QPoint> at)
{
    if (!m_panel->isOpen() && m_panel->closedWithin(reopenGuardMs))
        return;
    togglePanel(at);
}

void StatusController::openPanel()
{
    if (!m_panel->isOpen())
        togglePanel();
}

void StatusController::copySummary()
{
    wattlet::copySummary(m_model.reading(), m_model.prefs().textLanguage());
}

void StatusController::run(MenuAction action)
{
    switch (action) {
    case MenuAction::openPanel:
        openPanel();
        break;
    case MenuAction::openPower:
        AppModel::openPowerSettings();
        break;
    case MenuAction::copySummary:
        copySummary();
        break;
    case MenuAction::openSite:
        QDesktopServices::openUrl(Brand::authorURL());
        break;
    case MenuAction::quit:
        QCoreApplication::quit();
        break;
    case MenuAction::profilePowerSaver:
    case MenuAction::profileBalanced:
    case MenuAction::profilePerformance:
        if (PowerProfiles* profiles = m_model.powerProfiles())
            profiles->choose(menuProfile(action).value_or(std::string()));
        break;
    case MenuAction::profileNote:
    case MenuAction::none:
        break;
    }
}

MenuView StatusController::menu() const
{
    const PowerProfiles* profiles = m_model.powerProfiles();
    return menuView(m_model.reading(), m_model.prefs().textLanguage(),
        m_model.canOpenPowerSettings(), profiles ? profiles->state() : std::nullopt);
}

bool StatusController::isPanelOpen() const { return m_panel->isOpen(); }

} // namespace wattlet
